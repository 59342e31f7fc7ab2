// The launch list editor as the user works it in the setup view: selecting, Add/Mod, Up, Dn,
// Del, the double-click and Enter in the Add box; the buttons and the change mark after each.

#include <gtest/gtest.h>

#include <array>
#include <functional>
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
        h.writeSettings(lines);
        h.start();
        h.click(2);
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
    std::array<bool, 4> enabled6To9() {
        Dialog& d = h.dialog();
        return {d.Butt[6].enabled(), d.Butt[7].enabled(), d.Butt[8].enabled(), d.Butt[9].enabled()};
    }
};

// One session through every command; each step starts from a saved setup, so the mark it
// leaves is its own.
TEST(ListEditor, ButtonsListAndChangeMarkFollowEachStep) {
    struct Row {
        const char* step;
        std::function<void(Stage&)> act;
        std::vector<std::string> items;
        int index;
        const char* add;
        const char* butt6;
        std::array<bool, 4> enabled;
        bool marks;
        int focusButton;  // -1: not checked
    };
    const std::vector<Row> rows = {
        {"select b",
         [](Stage& t) { t.select(1); },
         {"a", "b", "c"},
         1,
         "b",
         "Mod",
         {true, true, true, true},
         false,
         -1},
        {"Up to the top",
         [](Stage& t) { t.h.click(7); },
         {"b", "a", "c"},
         0,
         "b",
         "Mod",
         {true, false, true, true},
         true,
         8},
        {"Dn",
         [](Stage& t) { t.h.click(8); },
         {"a", "b", "c"},
         1,
         "b",
         "Mod",
         {true, true, true, true},
         true,
         -1},
        {"Dn to the bottom",
         [](Stage& t) { t.h.click(8); },
         {"a", "c", "b"},
         2,
         "b",
         "Mod",
         {true, true, false, true},
         true,
         7},
        {"type",
         [](Stage& t) { t.type("x y"); },
         {"a", "c", "b"},
         2,
         "x y",
         "Mod",
         {true, true, false, true},
         false,
         -1},
        {"Mod",
         [](Stage& t) { t.h.click(6); },
         {"a", "c", "x y"},
         -1,
         "",
         "Add",
         {false, false, false, false},
         true,
         -1},
        {"double-click c",
         [](Stage& t) {
             t.select(1);
             t.h.user([&] { t.h.dialog().LaunchList.doubleClickedByUser(); });
         },
         {"a", "c", "x y"},
         -1,
         "c",
         "Add",
         {true, false, false, false},
         false,
         -1},
        {"Add the duplicate",
         [](Stage& t) { t.h.click(6); },
         {"a", "c", "x y", "c"},
         -1,
         "",
         "Add",
         {false, false, false, false},
         true,
         -1},
        {"Del a",
         [](Stage& t) {
             t.select(0);
             t.h.click(9);
         },
         {"c", "x y", "c"},
         -1,
         "a",
         "Add",
         {true, false, false, false},
         true,
         6},
    };
    Stage t;
    Dialog& d = t.openSetup({"a", "b", "c"});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step);
        if (d.Butt[11].enabled()) {
            t.h.click(11);
        }
        row.act(t);
        EXPECT_EQ(d.LaunchList.items(), row.items);
        EXPECT_EQ(d.LaunchList.listIndex(), row.index);
        EXPECT_EQ(d.Add.text(), row.add);
        EXPECT_EQ(d.Butt[6].caption(), row.butt6);
        EXPECT_EQ(t.enabled6To9(), row.enabled);
        EXPECT_EQ(d.SettingsDirty, row.marks);
        EXPECT_EQ(d.Butt[11].enabled(), row.marks);
        if (row.focusButton >= 0) {
            EXPECT_TRUE(d.Butt[row.focusButton].hasFocus());
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
        t.h.click(9);

        const bool anyLeft = row.entries.size() > 1;
        EXPECT_EQ(d.LaunchList.listCount(), static_cast<int>(row.entries.size()) - 1);
        for (int index : {1, 2, 3, 5}) {
            EXPECT_EQ(d.Butt[index].enabled(), anyLeft) << index;
        }
        EXPECT_EQ(t.enabled6To9(), (std::array<bool, 4>{!row.emptyAddFirst, false, false, false}));
        EXPECT_EQ(d.Butt[6].caption(), "Add");
        EXPECT_EQ(d.Add.text(), row.emptyAddFirst ? "" : row.entries[0]);
        EXPECT_TRUE(row.emptyAddFirst ? d.Add.hasFocus() : d.Butt[6].hasFocus());
        EXPECT_TRUE(d.SettingsDirty);
        EXPECT_EQ(d.First.enabled(), !anyLeft);
        const bool hint = d.LblFirst.visible();
        t.h.loop.advance(500);
        EXPECT_EQ(d.LblFirst.visible(), anyLeft ? hint : !hint);
    }
}

}  // namespace
