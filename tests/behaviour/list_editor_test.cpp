// The launch list editor as the user works it in the setup view: selecting, Add/Mod, Up, Dn,
// Del, the double-click and Enter in the Add box; the buttons and the change mark after each.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

struct Stage {
    DialogHarness h;

    Dialog& openSetup(std::vector<std::string> entries) {
        std::vector<std::string> lines = {"<01100>", "10", "EN"};
        lines.insert(lines.end(), entries.begin(), entries.end());
        h.start(lines);
        h.click(Command::ConfigRunAgain);
        return h.dialog();
    }
    void select(int index) {
        h.user([&] { h.dialog().LaunchList.selectedByUser(index); });
    }
    void type(const std::string& text) {
        h.user([&] { h.dialog().Add.editedByUser(text); });
    }
    void pressInAdd(int key) {
        h.user([&] {
            h.dialog().Add.focusedByUser();
            h.dialog().keyPressedByUser(key);
        });
    }
};

// One session through every command, step by step ("select i", "double-click", "type text",
// "click i"); each step starts from a saved setup, so the mark it leaves is its own. Buttons
// 6 to 9 read as "1" enabled, "0" disabled.
TEST(ListEditor, ButtonsListAndChangeMarkFollowEachStep) {
    struct Row {
        std::string step;
        std::vector<std::string> items;
        int index;
        const char* add;
        const char* buttons6To9;
        bool marks;
        std::optional<Command> focusButton;
    };
    const std::vector<Row> rows = {
        {"select 1", {"a", "b", "c"}, 1, "b", "1111", false, std::nullopt},
        {"click 7", {"b", "a", "c"}, 0, "b", "1011", true, Command::Down},
        {"click 8", {"a", "b", "c"}, 1, "b", "1111", true, std::nullopt},
        {"click 8", {"a", "c", "b"}, 2, "b", "1101", true, Command::Up},
        {"type x y", {"a", "c", "b"}, 2, "x y", "1101", false, std::nullopt},
        {"click 6", {"a", "c", "x y"}, -1, "", "0000", true, std::nullopt},
        {"select 1", {"a", "c", "x y"}, 1, "c", "1111", false, std::nullopt},
        {"double-click", {"a", "c", "x y"}, -1, "c", "1000", false, std::nullopt},
        {"click 6", {"a", "c", "x y", "c"}, -1, "", "0000", true, std::nullopt},
        {"select 0", {"a", "c", "x y", "c"}, 0, "a", "1011", false, std::nullopt},
        {"click 9", {"c", "x y", "c"}, -1, "a", "1000", true, Command::AddMod},
    };
    Stage t;
    Dialog& d = t.openSetup({"a", "b", "c"});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step);
        if (d.Butt[Command::SaveChanges].enabled()) {
            t.h.click(Command::SaveChanges);
        }
        const std::size_t space = row.step.find(' ');
        const std::string verb = row.step.substr(0, space);
        const std::string argument = space == std::string::npos ? "" : row.step.substr(space + 1);
        t.h.user([&] {
            if (verb == "select") {
                d.LaunchList.selectedByUser(std::stoi(argument));
            } else if (verb == "double-click") {
                d.LaunchList.doubleClickedByUser();
            } else if (verb == "type") {
                d.Add.editedByUser(argument);
            } else {
                d.Butt[static_cast<Command>(std::stoi(argument))].clickByUser();
            }
        });
        EXPECT_EQ(d.LaunchList.items(), row.items);
        EXPECT_EQ(d.LaunchList.listIndex(), row.index);
        EXPECT_EQ(d.Add.text(), row.add);
        EXPECT_EQ(d.Butt[Command::AddMod].caption(), row.index >= 0 ? "Mod" : "Add");
        std::string buttons;
        for (Command command : {Command::AddMod, Command::Up, Command::Down, Command::Delete}) {
            buttons += d.Butt[command].enabled() ? '1' : '0';
        }
        EXPECT_EQ(buttons, row.buttons6To9);
        EXPECT_EQ(d.SettingsDirty, row.marks);
        EXPECT_EQ(d.Butt[Command::SaveChanges].enabled(), row.marks);
        if (row.focusButton) {
            EXPECT_TRUE(d.Butt[*row.focusButton].hasFocus());
        }
    }
}

TEST(ListEditor, KeysInTheAddBox) {
    struct Row {
        const char* text;
        int key;
        std::vector<std::string> items;
        const char* add;
    };
    const std::vector<Row> rows = {
        {"", 13, {"a"}, ""},
        {"b", 13, {"a", "b"}, ""},
        // Esc and hotkey letters are text here, not commands.
        {"b", 27, {"a"}, "b"},
        {"b", 'e', {"a"}, "b"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " + " + std::to_string(row.key));
        Stage t;
        Dialog& d = t.openSetup({"a"});
        t.type(row.text);
        t.pressInAdd(row.key);
        EXPECT_FALSE(t.h.loop.ended());
        EXPECT_EQ(d.LaunchList.items(), row.items);
        EXPECT_EQ(d.LaunchList.listIndex(), -1);
        EXPECT_EQ(d.Add.text(), row.add);
        EXPECT_TRUE(d.Add.hasFocus());
        EXPECT_EQ(d.SettingsDirty, row.items.size() > 1);
    }
}

// Del of the first entry. Deleting the only one takes the run commands away and the hint
// blinks again. The focus goes to button 6, or to the Add box when button 6 cannot take it.
TEST(ListEditor, DeletingAnEntry) {
    struct Row {
        std::vector<std::string> entries;
        bool emptyAddFirst;
    };
    const std::vector<Row> rows = {{{"only"}, false}, {{"only"}, true}, {{"a", "b"}, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.entries.size()) + (row.emptyAddFirst ? " emptied" : ""));
        Stage t;
        Dialog& d = t.openSetup(row.entries);
        t.select(0);
        if (row.emptyAddFirst) {
            t.type("");
        }
        t.h.click(Command::Delete);

        const bool anyLeft = row.entries.size() > 1;
        EXPECT_EQ(d.LaunchList.listCount(), static_cast<int>(row.entries.size()) - 1);
        for (Command command :
             {Command::StopContinue, Command::ConfigRunAgain, Command::GoNow, Command::OneByOne}) {
            EXPECT_EQ(d.Butt[command].enabled(), anyLeft) << commandIndex(command);
        }
        EXPECT_EQ(d.Butt[Command::AddMod].enabled(), !row.emptyAddFirst);
        for (Command command : {Command::Up, Command::Down, Command::Delete}) {
            EXPECT_FALSE(d.Butt[command].enabled()) << commandIndex(command);
        }
        EXPECT_EQ(d.Butt[Command::AddMod].caption(), "Add");
        EXPECT_EQ(d.Add.text(), row.emptyAddFirst ? "" : row.entries[0]);
        EXPECT_TRUE(row.emptyAddFirst ? d.Add.hasFocus() : d.Butt[Command::AddMod].hasFocus());
        EXPECT_TRUE(d.SettingsDirty);
        EXPECT_EQ(d.First.enabled(), !anyLeft);
        const bool hint = d.LblFirst.visible();
        t.h.loop.advance(500);
        EXPECT_EQ(d.LblFirst.visible(), anyLeft ? hint : !hint);
    }
}

// The Delete key in the list deletes the selected entry as Del does; with nothing selected, or
// in the Add box, it deletes no entry.
TEST(ListEditor, DeleteKeyDeletesTheSelectedEntryInTheListOnly) {
    struct Row {
        const char* where;
        int selected;
        std::vector<std::string> items;
    };
    const std::vector<Row> rows = {
        {"list", 1, {"a", "c"}},
        {"list", -1, {"a", "b", "c"}},
        {"add", 1, {"a", "b", "c"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.where) + " " + std::to_string(row.selected));
        Stage t;
        Dialog& d = t.openSetup({"a", "b", "c"});
        if (row.selected >= 0) {
            t.select(row.selected);
        }
        t.h.user([&] {
            if (std::string(row.where) == "add") {
                d.Add.focusedByUser();
            } else {
                d.LaunchList.focusedByUser();
            }
            d.keyDownByUser(tk::Key::Delete);
        });
        EXPECT_EQ(d.LaunchList.items(), row.items);
        EXPECT_EQ(d.SettingsDirty, row.items.size() == 2);
    }
}

// An entry with an apostrophe would come back from the file with a double quote in its place:
// Add and Mod refuse it with a message, and the list and the Add box stay as they were.
TEST(ListEditor, AddAndModRefuseWhatTheFileCannotKeep) {
    struct Row {
        int selected;
        const char* language;
        const char* typed;
        std::vector<std::string> items;
        const char* boxStart;
    };
    const std::vector<Row> rows = {
        {-1, "EN", "\"C:\\attack\\Bob's notes.txt\"", {"a", "b"}, "The line \"\"C:"},
        {0, "CS", "O'Brien.txt", {"a", "b"}, "Řádek \"O'Brien.txt\" obsahuje apostrof"},
        {0, "EN", "\"C:\\My Tools\\a.exe\" -x", {"\"C:\\My Tools\\a.exe\" -x", "b"}, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        Stage t;
        t.h.start({"<01100>", "10", row.language, "a", "b"});
        t.h.click(Command::ConfigRunAgain);
        Dialog& d = t.h.dialog();
        if (row.selected >= 0) {
            t.select(row.selected);
        }
        t.type(row.typed);
        const bool refused = row.boxStart != nullptr;
        if (refused) {
            t.h.loop.answerNext(tk::Answer::Ok);
        }
        t.h.click(Command::AddMod);
        EXPECT_EQ(d.LaunchList.items(), row.items);
        EXPECT_EQ(d.SettingsDirty, !refused);
        EXPECT_EQ(d.Add.text(), refused ? row.typed : "");
        ASSERT_EQ(t.h.loop.boxes().size(), refused ? 1U : 0U);
        if (refused) {
            EXPECT_TRUE(t.h.loop.boxes()[0].box.text.starts_with(row.boxStart))
                << t.h.loop.boxes()[0].box.text;
        }
    }
}

}  // namespace
