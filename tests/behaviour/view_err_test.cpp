// The error-log window: its rows, its keys and commands, Clear and what happens when the log
// cannot be deleted, the layout on resize, and reopening.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/view_err.h"
#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

constexpr int Esc = 27;

// A started main window in its setup view (empty launch list), with a log of these lines.
struct Viewer {
    DialogHarness h;
    Dialog& d;
    ViewErr& v;

    explicit Viewer(const std::string& logBytes) : d(startWith(h, logBytes)), v(d.viewErr()) {}

    static Dialog& startWith(DialogHarness& h, const std::string& logBytes) {
        h.writeRaw(h.errorLogFile(), logBytes);
        return h.start({"<01100>", "10", "EN"});
    }
    void open() { h.click(Command::ViewErrorLog); }
    bool logExists() const { return std::filesystem::exists(h.errorLogFile()); }
};

const char* const Record = "#7.12.2026 13:45:12# | C:\\tool.exe /x | File not found.\r\n";

TEST(ViewErr, EachLogLineIsOneRowWithApostrophesAndBarsShownAsTheViewerShowsThem) {
    const std::string longLine = std::string(5'000'000, 'x') + "|" + std::string(5'000'000, 'y');
    Viewer t(std::string(Record) + "#d# | run 'it' | m\r\n#d# | a|b | m\r\n\r\n" +
             std::string("\x01\x7f\x02|\0z\x03", 7) + "\n" + longLine + "\r\n");
    t.open();
    ASSERT_TRUE(t.v.visible());
    const std::vector<std::string> expected = {
        "#7.12.2026 13:45:12#  ...  C:\\tool.exe /x  ...  File not found.",
        "#d#  ...  run \"it\"  ...  m",
        "#d#  ...  a ... b  ...  m",
        "",
        std::string("\x01\x7f\x02 ... \0z\x03", 11),
        std::string(5'000'000, 'x') + " ... " + std::string(5'000'000, 'y'),
    };
    EXPECT_EQ(t.v.ErrList.items(), expected);
    EXPECT_EQ(t.v.caption(), "opalist Error Log");
    EXPECT_EQ(t.v.width(), 5000);
    EXPECT_EQ(t.v.height(), 4005);
}

TEST(ViewErr, KeysAndCloseCommandsHideOrClearOnlyAsTheirLetterSays) {
    struct Row {
        const char* name;
        std::function<void(ViewErr&)> act;
        bool visible;
        bool asked;
    };
    const auto key = [](int code, tk::Control& (*target)(ViewErr&)) {
        return [code, target](ViewErr& v) {
            ASSERT_TRUE(target(v).setFocus());
            v.keyPressedByUser(code);
        };
    };
    const auto list = [](ViewErr& v) -> tk::Control& { return v.ErrList; };
    const auto close = [](ViewErr& v) -> tk::Control& { return v.ButtClose; };
    const auto clear = [](ViewErr& v) -> tk::Control& { return v.ButtDel; };
    const std::vector<Row> rows = {
        {"c", key('c', list), false, false},
        {"C", key('C', list), false, false},
        {"Esc", key(Esc, clear), false, false},
        {"l", key('l', list), true, true},
        {"L", key('L', close), true, true},
        {"x", key('x', list), true, false},
        {"E", key('E', list), true, false},
        {"Z", key('Z', list), true, false},
        {"1", key('1', list), true, false},
        {"Close button", [](ViewErr& v) { v.ButtClose.clickByUser(); }, false, false},
        {"close box", [](ViewErr& v) { v.closedByUser(); }, false, false},
        {"Clear button", [](ViewErr& v) { v.ButtDel.clickByUser(); }, true, true},
    };
    for (const Row& row : rows) {
        Viewer t(Record);
        t.open();
        t.h.loop.answerNext(tk::Answer::No);
        t.h.user([&] { row.act(t.v); });
        EXPECT_EQ(t.v.visible(), row.visible) << row.name;
        EXPECT_EQ(t.h.loop.boxes().size(), row.asked ? 1u : 0u) << row.name;
        EXPECT_TRUE(t.logExists()) << row.name;
        EXPECT_FALSE(t.h.loop.ended()) << row.name;
    }
}

TEST(ViewErr, ClearYesDeletesTheLogAndClosesAndTheMainWindowThenDisablesItsButton) {
    Viewer t(Record);
    t.open();
    t.h.loop.answerNext(tk::Answer::Yes);
    t.h.user([&] { t.v.ButtDel.clickByUser(); });
    ASSERT_EQ(t.h.loop.boxes().size(), 1u);
    const tk::MessageBox& box = t.h.loop.boxes()[0].box;
    EXPECT_EQ(box.title, "Delete log file?");
    EXPECT_EQ(box.text, "Are you sure you want to delete error log file?");
    EXPECT_EQ(box.icon, tk::Icon::Question);
    EXPECT_EQ(box.buttons, tk::Buttons::YesNo);
    EXPECT_FALSE(t.logExists());
    EXPECT_FALSE(t.v.visible());
    t.h.user([&] { t.d.activatedByUser(); });
    EXPECT_FALSE(t.d.Butt[Command::ViewErrorLog].enabled());
}

// The question stays English; the report follows the main window's language.
TEST(ViewErr, ClearOfALogAlreadyGoneSaysSoAndCloses) {
    for (const char* language : {"EN", "CS"}) {
        Viewer t(Record);
        if (std::string(language) == "CS") {
            t.h.selectLanguage(false);
        }
        t.open();
        std::filesystem::remove(t.h.errorLogFile());
        t.h.loop.answerNext(tk::Answer::Yes);
        t.h.loop.answerNext(tk::Answer::Ok);
        t.h.user([&] { t.v.ButtDel.clickByUser(); });
        ASSERT_EQ(t.h.loop.boxes().size(), 2u) << language;
        EXPECT_EQ(t.h.loop.boxes()[0].box.title, "Delete log file?");
        EXPECT_EQ(t.h.loop.boxes()[1].box.text, std::string(language) == "EN"
                                                    ? "The error log file no longer exists."
                                                    : "Soubor výpisu chyb už neexistuje.");
        EXPECT_FALSE(t.v.visible());
    }
}

TEST(ViewErr, ClearOfALogThatCannotBeDeletedSaysSoAndStaysOpen) {
    Viewer t(Record);
    t.open();
    namespace fs = std::filesystem;
    const fs::path folder = t.h.dir.path();
    const fs::perms writable =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    const std::string copy = t.h.errorLogFile() + " copy";
    fs::copy_file(t.h.errorLogFile(), copy);
    fs::permissions(folder, writable, fs::perm_options::remove);
    struct Restore {
        fs::path folder;
        fs::perms perms;
        ~Restore() { fs::permissions(folder, perms, fs::perm_options::add); }
    } restore{folder, writable};
    std::error_code ignored;
    if (fs::remove(copy, ignored)) {
        GTEST_SKIP() << "this user deletes files from a read-only folder anyway";
    }

    t.h.loop.answerNext(tk::Answer::Yes);
    t.h.loop.answerNext(tk::Answer::Ok);
    t.h.user([&] { t.v.ButtDel.clickByUser(); });
    ASSERT_EQ(t.h.loop.boxes().size(), 2u);
    EXPECT_EQ(t.h.loop.boxes()[1].box.title, "Delete log file");
    EXPECT_EQ(t.h.loop.boxes()[1].box.icon, tk::Icon::Exclamation);
    EXPECT_TRUE(t.logExists());
    EXPECT_TRUE(t.v.visible());
}

// The layout works in the client area, the outer size less the sizable frame's allowance: at
// every size the list and the buttons lie inside it, 120 from its edges, the buttons side by
// side below the list. The opening size gives the design layout.
TEST(ViewErr, ResizeKeepsEveryControlInsideTheClientAreaAndSnapsToTheSmallestSize) {
    const tk::FrameAllowance frame = tk::frameAllowance(tk::FrameKind::Sizable);
    const tk::Twips minWidth = ViewErr::MinClientWidth + frame.width;
    const tk::Twips minHeight = ViewErr::MinClientHeight + frame.height;
    struct Row {
        tk::Twips width, height;
        tk::Twips snappedWidth, snappedHeight;
    };
    const std::vector<Row> rows = {
        {8000, 6000, 8000, 6000},
        {1000, 500, minWidth, minHeight},
        {2000, 3000, minWidth, 3000},
        {6000, 1000, 6000, minHeight},
        {3030, 1485, minWidth, minHeight},
        {minWidth, minHeight, minWidth, minHeight},
        {minWidth + 1, minHeight + 1, minWidth + 1, minHeight + 1},
        {5000, 4005, 5000, 4005},
    };
    Viewer t(Record);
    t.open();
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height));
        t.h.user([&] { t.v.resizedByUser(row.width, row.height); });
        ASSERT_EQ(t.v.width(), row.snappedWidth);
        ASSERT_EQ(t.v.height(), row.snappedHeight);
        const tk::Twips clientWidth = row.snappedWidth - frame.width;
        const tk::Twips clientHeight = row.snappedHeight - frame.height;
        const tk::Geometry list = t.v.ErrList.geometry();
        const tk::Geometry close = t.v.ButtClose.geometry();
        const tk::Geometry clear = t.v.ButtDel.geometry();
        EXPECT_EQ(list.left, 120);
        EXPECT_EQ(list.top, 120);
        EXPECT_EQ(clientWidth - (list.left + list.width), 120);
        EXPECT_GT(list.height, 0);
        for (const tk::Geometry& button : {close, clear}) {
            EXPECT_EQ(button.width, 1335);
            EXPECT_EQ(button.height, 375);
            EXPECT_EQ(clientHeight - (button.top + button.height), 120);
            EXPECT_GT(button.top, list.top + list.height);
        }
        EXPECT_EQ(close.left, 120);
        EXPECT_EQ(clientWidth - (clear.left + clear.width), 120);
        EXPECT_GE(clear.left, close.left + close.width);
    }
    EXPECT_EQ(t.v.ErrList.geometry(), (tk::Geometry{120, 120, 4455, 2790}));
    EXPECT_EQ(t.v.ButtClose.geometry(), (tk::Geometry{120, 3000, 1335, 375}));
    EXPECT_EQ(t.v.ButtDel.geometry(), (tk::Geometry{3240, 3000, 1335, 375}));
}

TEST(ViewErr, ReopeningShowsNewRecordsAtTheOpeningSizeInTheCurrentLanguage) {
    Viewer t(Record);
    t.open();
    t.h.user([&] { t.v.resizedByUser(7000, 7000); });
    t.h.user([&] { t.v.ButtClose.clickByUser(); });
    t.h.writeRaw(t.h.errorLogFile(), std::string(Record) + "#d# | new | m\r\n");
    t.h.selectLanguage(false);
    t.open();
    ASSERT_TRUE(t.v.visible());
    EXPECT_EQ(t.v.ErrList.listCount(), 2);
    EXPECT_EQ(t.v.ErrList.list(1), "#d#  ...  new  ...  m");
    EXPECT_EQ(t.v.width(), 5000);
    EXPECT_EQ(t.v.height(), 4005);
    EXPECT_EQ(t.v.caption(), "opalist výpis chyb");

    // Activation re-applies the language switched meanwhile; the list stays as it was.
    t.h.selectLanguage(true);
    t.h.writeRaw(t.h.errorLogFile(), Record);
    t.h.user([&] { t.v.activatedByUser(); });
    EXPECT_EQ(t.v.ButtDel.caption(), "C&lear");
    EXPECT_EQ(t.v.ErrList.listCount(), 2);
}

TEST(ViewErr, ALogGoneBeforeTheCommandOpensNothingAndDisablesTheButton) {
    Viewer t(Record);
    std::filesystem::remove(t.h.errorLogFile());
    t.open();
    EXPECT_FALSE(t.v.visible());
    EXPECT_FALSE(t.d.Butt[Command::ViewErrorLog].enabled());
}

}  // namespace
