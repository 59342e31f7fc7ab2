// The window of the log-on programs: its rows in both languages, taking over, giving back and the
// start order by keyboard and buttons, what the guard found, the failures it tells, and the
// window opened alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/logon_window.h"
#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

constexpr int CtrlL = 12;
constexpr int Enter = 13;
constexpr int Esc = 27;

// Entries x, y, a new n and Opalist's own entry; y and x taken over, in that order.
struct Stage {
    DialogHarness h;

    explicit Stage(const char* language = "EN") {
        h.writeSettings({"<01100>", "10", language, "a"});
        h.logon.add("x");
        h.logon.add("y");
        h.logon.add("me", logon::State::CannotTakeOver);
        h.logon.entry("me")->entry.reason = logon::Reason::OpalistItself;
        logon::LogonPrograms programs(h.logon.platform());
        programs.refresh();
        programs.takeOver("y");
        programs.takeOver("x");
        h.logon.add("n");
    }
    // Started, with the window opened by Ctrl+L from the main window.
    LogonWindow& open() {
        Dialog& d = h.start();
        h.user([&] { d.keyPressedByUser(CtrlL); });
        return d.logonWindow();
    }
    std::vector<std::string> takenOver() {
        std::vector<std::string> names;
        for (const logon::TakenOver& taken : h.dialog().logonPrograms().takenOver()) {
            names.push_back(taken.name);
        }
        return names;
    }
    void select(LogonWindow& w, const std::string& name) {
        const auto& names = w.rowNames();
        const int row =
            static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
        h.user([&] {
            w.EntryList.selectedByUser(row);
            w.EntryList.setFocus();
        });
    }
};

TEST(LogonWindow, RowsShowEachEntryInTheMainWindowsLanguage) {
    struct Row {
        const char* language;
        const char* title;
        std::vector<std::string> rows;
    };
    const std::vector<Row> rows = {
        {"EN",
         "Log-on programs",
         {"1. y  —  started by Opalist  —  user autostart folder  —  /bin/y",
          "2. x  —  started by Opalist  —  user autostart folder  —  /bin/x",
          "me  —  cannot be taken over: Opalist itself  —  user autostart folder  —  /bin/me",
          "[new] n  —  starts with the system  —  user autostart folder  —  /bin/n"}},
        {"CS",
         "Programy po přihlášení",
         {"1. y  —  spouští Opalist  —  uživatelská složka autostart  —  /bin/y",
          "2. x  —  spouští Opalist  —  uživatelská složka autostart  —  /bin/x",
          "me  —  nelze převzít: sám Opalist  —  uživatelská složka autostart  —  /bin/me",
          "[nová] n  —  spouští systém  —  uživatelská složka autostart  —  /bin/n"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.language);
        Stage t(row.language);
        LogonWindow& w = t.open();
        ASSERT_TRUE(w.visible());
        EXPECT_EQ(w.caption(), row.title);
        EXPECT_EQ(w.EntryList.items(), row.rows);
    }
}

TEST(LogonWindow, TheLanguageFollowsTheMainWindowsSwitch) {
    Stage t;
    LogonWindow& w = t.open();
    Dialog& d = t.h.dialog();
    t.h.click(Command::ConfigRunAgain);
    t.h.user([&] { d.LngCS.clickByUser(); });
    EXPECT_EQ(w.caption(), "Programy po přihlášení");
    EXPECT_EQ(w.ButtTakeOver.caption(), "&Převzít");
    EXPECT_EQ(w.EntryList.items()[0],
              "1. y  —  spouští Opalist  —  uživatelská složka "
              "autostart  —  /bin/y");
}

TEST(LogonWindow, KeysAndButtonsTakeOverGiveBackAndReorder) {
    struct Row {
        const char* what;
        const char* selected;
        std::function<void(LogonWindow&)> act;
        std::vector<std::string> takenOver;
        bool visible;
    };
    const auto key = [](int code) { return [code](LogonWindow& w) { w.keyPressedByUser(code); }; };
    const auto click = [](tk::Button LogonWindow::*button) {
        return [button](LogonWindow& w) { (w.*button).clickByUser(); };
    };
    const std::vector<Row> rows = {
        {"Enter takes a new entry over", "n", key(Enter), {"y", "x", "n"}, true},
        {"T takes it over", "n", key('t'), {"y", "x", "n"}, true},
        {"Take over", "n", click(&LogonWindow::ButtTakeOver), {"y", "x", "n"}, true},
        {"Opalist's own entry is not taken", "me", key(Enter), {"y", "x"}, true},
        {"Enter gives a taken-over entry back", "x", key(Enter), {"y"}, true},
        {"G gives it back", "y", key('G'), {"x"}, true},
        {"Give back all", "n", click(&LogonWindow::ButtGiveBackAll), {}, true},
        {"A gives all back", "y", key('a'), {}, true},
        {"D starts it later", "y", key('d'), {"x", "y"}, true},
        {"Up starts it earlier", "x", click(&LogonWindow::ButtUp), {"x", "y"}, true},
        {"the first goes no higher", "y", key('u'), {"y", "x"}, true},
        {"the last goes no lower", "x", key('d'), {"y", "x"}, true},
        {"Esc closes", "x", key(Esc), {"y", "x"}, false},
        {"C closes", "n", key('c'), {"y", "x"}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Stage t;
        LogonWindow& w = t.open();
        t.select(w, row.selected);
        t.h.user([&] { row.act(w); });
        EXPECT_EQ(t.takenOver(), row.takenOver);
        EXPECT_EQ(w.visible(), row.visible);
        EXPECT_TRUE(t.h.loop.boxes().empty());
        // The selection stays on the entry it was on, and the start order is the rows' order.
        const int index = w.EntryList.listIndex();
        ASSERT_GE(index, 0);
        EXPECT_EQ(w.rowNames()[static_cast<std::size_t>(index)], row.selected);
        EXPECT_TRUE(std::equal(row.takenOver.begin(), row.takenOver.end(), w.rowNames().begin()));
    }
}

TEST(LogonWindow, FailuresAreToldInTheUsersLanguageAndChangeNothing) {
    struct Row {
        const char* what;
        const char* language;
        std::function<void(testing_support::FakeLogon&)> failing;
        bool fromStart;  // else from the moment the window is open
        std::vector<std::string> boxes;
    };
    const std::vector<Row> rows = {
        {"the system refuses",
         "EN",
         [](auto& fake) { fake.switchFails = true; },
         false,
         {"n: the system refused the change: refused"}},
        {"the record cannot be saved",
         "CS",
         [](auto& fake) { fake.saveFails = true; },
         false,
         {"n: záznam převzatých programů nelze uložit: The record of taken-over programs cannot "
          "be saved: disk full"}},
        {"the record cannot be read",
         "EN",
         [](auto& fake) { fake.recordReadable = false; },
         true,
         {"About the record of taken-over programs:\nThe "
          "record of taken-over programs cannot be read: damaged disk",
          "n: the record of taken-over programs cannot be read: damaged disk"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Stage t(row.language);
        if (row.fromStart) {
            row.failing(t.h.logon);
        }
        t.h.loop.answerUnscriptedWith(tk::Answer::Ok);
        LogonWindow& w = t.open();
        if (!row.fromStart) {
            row.failing(t.h.logon);
        }
        const std::vector<std::string> before = t.takenOver();
        t.select(w, "n");
        t.h.user([&] { w.ButtTakeOver.clickByUser(); });
        std::vector<std::string> texts;
        for (const auto& shown : t.h.loop.boxes()) {
            texts.push_back(shown.box.text);
            EXPECT_EQ(shown.box.icon, tk::Icon::Exclamation);
        }
        EXPECT_EQ(texts, row.boxes);
        EXPECT_EQ(t.takenOver(), before);
        EXPECT_EQ(t.h.logon.entry("n")->switchNow, std::nullopt);
    }
}

TEST(LogonWindow, WhatTheGuardFoundIsSaidAboveTheList) {
    Stage t;
    t.h.logon.entries.erase(t.h.logon.entries.begin());  // x is gone
    LogonWindow& w = t.open();
    EXPECT_EQ(w.LblFound.caption(),
              "At this start: x: its log-on entry is gone; Opalist no longer starts it");
    EXPECT_EQ(w.rowNames(), (std::vector<std::string>{"y", "me", "n"}));
}

TEST(LogonWindow, AChangeKeepsWhatAnotherOpalistTookOverMeanwhile) {
    Stage t;
    LogonWindow& w = t.open();
    logon::LogonPrograms other(t.h.logon.platform());
    other.refresh();
    ASSERT_TRUE(other.takeOver("n").ok());
    t.select(w, "x");
    t.h.user([&] { w.keyPressedByUser('g'); });
    EXPECT_EQ(t.takenOver(), (std::vector<std::string>{"y", "n"}));
    other.refresh();
    ASSERT_EQ(other.takenOver().size(), 2U);
    EXPECT_EQ(other.takenOver()[1].name, "n");
    // What the guard found at this start is still shown.
    EXPECT_EQ(w.EntryList.items()[1],
              "2. [new] n  —  started by Opalist  —  user autostart folder  —  /bin/n");
    EXPECT_EQ(w.rowNames(), (std::vector<std::string>{"y", "n", "x", "me"}));
}

TEST(LogonWindow, OpenedAloneItStartsNothingAndClosingEndsTheProgram) {
    Stage t("CS");
    Dialog& d = t.h.startLogonWindowAlone();
    LogonWindow& w = d.logonWindow();
    EXPECT_TRUE(w.visible());
    EXPECT_FALSE(d.visible());
    EXPECT_EQ(w.caption(), "Programy po přihlášení");
    t.h.loop.advance(60000);
    EXPECT_TRUE(t.h.shellRequests.empty());
    t.h.user([&] { w.keyPressedByUser(Esc); });
    EXPECT_TRUE(t.h.loop.ended());
}

}  // namespace
