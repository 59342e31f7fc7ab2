// The record of taken-over log-on entries: what it holds comes back exactly, and a damaged
// record gives back what it can, says what it cannot and keeps every line it could not read.
#include "logon/record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using logon::Record;
using logon::TakenOver;

Record sample() {
    Record record;
    record.found = true;
    record.takenOver = {
        {"discord.desktop", logon::Source::UserAutostart,
         "/home/u/.config/autostart/discord.desktop", "/home/u/.config/autostart/discord.desktop",
         std::string("[Desktop Entry]\r\nExec=discord %U\r\nName=Dísc ord") + '\0' + "\xFF",
         "[Desktop Entry]\r\nHidden=true\r\n"},
        {"tracker.desktop", logon::Source::SystemAutostart, "/etc/xdg/autostart/tracker.desktop",
         "/home/u/.config/autostart/tracker.desktop", std::nullopt,
         "[Desktop Entry]\nHidden=true\n"},
        {"Zoom Ü", logon::Source::UserRun, "HKCU\\...\\Run\\Zoom Ü", "StartupApproved\\Run\\Zoom Ü",
         std::string("\x02\0\0\0\0\0\0\0\0\0\0\0", 12),
         std::string("\x03\0\0\0\x10\x20\0\0\0\0\0\0", 12)},
    };
    record.seen = {"discord.desktop", "tracker.desktop", "a b%c"};
    return record;
}

TEST(LogonRecord, ComesBackExactly) {
    const Record record = sample();
    const std::vector<std::string> lines = logon::recordLines(record);
    const logon::ParsedRecord parsed = logon::parseRecord(lines);
    EXPECT_EQ(parsed.record.takenOver, record.takenOver);
    EXPECT_EQ(parsed.record.seen, record.seen);
    EXPECT_TRUE(parsed.problems.empty());
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find_first_of(" \t"), line.find(' ')) << line;  // no tab, no control
        for (const char c : line) {
            EXPECT_TRUE(c >= ' ' && c <= '~') << line;
        }
    }
}

// Each damage of the sample's lines: which entries can still be given back, and that every
// line not read as a whole block is written back as it was.
TEST(LogonRecord, DamageKeepsWhatCannotBeRead) {
    const std::vector<std::string> whole = logon::recordLines(sample());
    const auto without = [&whole](std::size_t from, std::size_t count) {
        std::vector<std::string> lines = whole;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(from),
                    lines.begin() + static_cast<std::ptrdiff_t>(from + count));
        return lines;
    };
    const auto changed = [&whole](std::size_t at, const std::string& line) {
        std::vector<std::string> lines = whole;
        lines[at] = line;
        return lines;
    };
    const auto cut = [&whole](std::size_t at, std::size_t keep) {
        std::vector<std::string> lines(whole.begin(),
                                       whole.begin() + static_cast<std::ptrdiff_t>(at) + 1);
        lines.back().resize(keep);
        return lines;
    };
    // Lines: 0 header, 1-8 first block (6 original, 8 check), 9-16 second, 17-24 third, 25-27 seen.
    struct Row {
        const char* what;
        std::vector<std::string> lines;
        std::vector<std::string> readable;  // the names that can be given back
        std::size_t damagedLines;
    };
    const Row rows[] = {
        {"whole", whole, {"discord.desktop", "tracker.desktop", "Zoom Ü"}, 0},
        {"cut inside the original", cut(6, 20), {}, 6},
        {"cut after the first block", cut(8, whole[8].size()), {"discord.desktop"}, 0},
        {"a byte of the original changed",
         changed(6, whole[6].substr(0, 30) + "X" + whole[6].substr(31)),
         {"tracker.desktop", "Zoom Ü"},
         8},
        {"check missing", without(8, 1), {"tracker.desktop", "Zoom Ü"}, 7},
        {"bad escape", changed(11, "location %G0"), {"discord.desktop", "Zoom Ü"}, 8},
        {"header lost", without(0, 1), {"discord.desktop", "tracker.desktop", "Zoom Ü"}, 0},
        {"junk between blocks",
         [&] {
             std::vector<std::string> lines = whole;
             lines.insert(lines.begin() + 9, {"\x01\x02 junk", "original 3 abc"});
             return lines;
         }(),
         {"discord.desktop", "tracker.desktop", "Zoom Ü"},
         2},
        {"a seen line inside a block",
         [&] {
             std::vector<std::string> lines = whole;
             lines.insert(lines.begin() + 8, "seen moved.desktop");
             return lines;
         }(),
         {"tracker.desktop", "Zoom Ü"},
         8},
        {"the same entry twice",
         [&] {
             std::vector<std::string> lines = whole;
             lines.insert(lines.end(), whole.begin() + 1, whole.begin() + 9);
             return lines;
         }(),
         {"discord.desktop", "tracker.desktop", "Zoom Ü"},
         8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const logon::ParsedRecord parsed = logon::parseRecord(row.lines);
        std::vector<std::string> readable;
        for (const TakenOver& taken : parsed.record.takenOver) {
            readable.push_back(taken.name);
        }
        EXPECT_EQ(readable, row.readable);
        EXPECT_EQ(parsed.record.damaged.size(), row.damagedLines);
        EXPECT_EQ(parsed.problems.empty(),
                  row.damagedLines == 0 && row.what != std::string("header lost"));
        // Written and read again, nothing is lost and nothing more is read.
        const logon::ParsedRecord again = logon::parseRecord(logon::recordLines(parsed.record));
        EXPECT_EQ(again.record.takenOver, parsed.record.takenOver);
        EXPECT_EQ(again.record.damaged, parsed.record.damaged);
        for (const std::string& line : parsed.record.damaged) {
            EXPECT_NE(std::find(row.lines.begin(), row.lines.end(), line), row.lines.end());
        }
    }
}

TEST(LogonRecord, TextEncodingRefusesWhatItNeverWrites) {
    for (const char* text : {"%", "%4", "%zz", "a b", "a\tb", "\xC3\xA9"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(logon::decodeRecordText(text).has_value());
    }
    EXPECT_EQ(logon::decodeRecordText("%41%e9%25"), std::string("A\xE9%"));
}

}  // namespace
