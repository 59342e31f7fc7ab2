// The main window on every front end: the compact height shows the strip of commands, the full
// height the whole setup, with the controls over the setup frame's area above it; Tab goes
// round it and the error-log window as their controls lie on screen, and Delete deletes an entry
// only where the list has the keyboard.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "app/view_err.h"
#include "gui_contract/front_end_driver.h"
#include "support/control_names.h"

namespace {

class MainWindow : public ::testing::Test {
  protected:
    // The window opens compact, as the program does to count down.
    void SetUp() override {
        program([this] {
            dialog.FrSetup.setVisible(false);
            dialog.setHeight(Dialog::CompactHeight);
            dialog.show();
        });
    }

    void program(const std::function<void()>& change) {
        ASSERT_TRUE(driver->app().dispatch(change));
    }
    // Whether any of the control is shown inside the window's client area.
    bool inClientArea(const tk::Control& control) {
        const testing_support::ShownControl shown = driver->shown(control);
        const tk::PixelSize client = driver->shown(dialog).client;
        const tk::PixelRect& place = shown.place;
        return shown.visible && place.left < client.width && place.top < client.height &&
               place.left + place.width > 0 && place.top + place.height > 0;
    }

    // The focused control's name, then that of each control Tab takes the focus to.
    std::vector<std::string> tabWalk(const tk::Window& window, std::size_t presses) {
        std::vector<std::string> visited{testing_support::controlName(dialog, window.focused())};
        while (visited.size() <= presses) {
            driver->press(testing_support::Key::Tab);
            visited.push_back(testing_support::controlName(dialog, window.focused()));
        }
        return visited;
    }

    // The outer height that shows the whole client area.
    static constexpr tk::Twips FullHeight = Dialog::ClientHeight + 450;
    std::unique_ptr<testing_support::FrontEndDriver> driver = testing_support::makeFrontEndDriver();
    Dialog dialog{driver->app(), Services{}};
};

TEST_F(MainWindow, CompactHeightShowsTheTopStripAndFullHeightTheWhole) {
    struct Case {
        const char* height;
        bool setupShown;
        tk::Twips twips;
        int pixels;
        std::vector<const tk::Control*> inside;
        std::vector<const tk::Control*> outside;
    };
    const std::vector<const tk::Control*> commands = {
        &dialog.Butt[Command::Exit],
        &dialog.Butt[Command::StopContinue],
        &dialog.Butt[Command::ConfigRunAgain],
        &dialog.Butt[Command::GoNow],
        &dialog.Butt[Command::Help],
        &dialog.Butt[Command::OneByOne],
        &dialog.RecBas,
        &dialog.copyr,
    };
    const std::vector<const tk::Control*> setup = {&dialog.Timer, &dialog.Add,
                                                   &dialog.Butt[Command::SaveChanges],
                                                   &dialog.LngEN, &dialog.wStart};
    for (const Case& c : {Case{"compact", false, Dialog::CompactHeight, 107, commands, setup},
                          Case{"full", true, FullHeight, 381, setup, {}}}) {
        SCOPED_TRACE(c.height);
        program([&] {
            dialog.FrSetup.setVisible(c.setupShown);
            dialog.setHeight(c.twips);
        });
        EXPECT_EQ(driver->shown(dialog).client.width, 313);
        EXPECT_EQ(driver->shown(dialog).client.height, c.pixels);
        for (const tk::Control* control : c.inside) {
            EXPECT_TRUE(inClientArea(*control)) << control->caption();
        }
        for (const tk::Control* control : c.outside) {
            EXPECT_FALSE(inClientArea(*control)) << control->caption();
        }
    }
    // Controls on the window over the frame's area lie above it.
    for (const tk::Control* control : std::initializer_list<const tk::Control*>{
             &dialog.Timer, &dialog.Add, &dialog.Butt[Command::Up]}) {
        EXPECT_TRUE(driver->shown(*control).uncovered) << control->caption();
    }
}

// Row by row, passing over the controls that are hidden, disabled or no tab stop, the setup's
// included once it opens; the error-log window opens with its list focused, and C closes it.
TEST_F(MainWindow, TabFollowsTheScreenInBothWindows) {
    ASSERT_TRUE(driver->bringToFront(dialog));
    program([&] {
        dialog.FrSetup.setVisible(true);
        dialog.setHeight(FullHeight);
        dialog.wStart.setEnabled(false);
        dialog.Butt[Command::Exit].setFocus();
    });
    const std::vector<tk::Control*> order = {&dialog.Butt[Command::Exit],
                                             &dialog.Butt[Command::StopContinue],
                                             &dialog.Butt[Command::ConfigRunAgain],
                                             &dialog.Butt[Command::GoNow],
                                             &dialog.Butt[Command::OneByOne],
                                             &dialog.Butt[Command::Help],
                                             &dialog.Timer,
                                             &dialog.TimerScroll,
                                             &dialog.Add,
                                             &dialog.Butt[Command::AddMod],
                                             &dialog.LaunchList,
                                             &dialog.Butt[Command::Up],
                                             &dialog.Butt[Command::Down],
                                             &dialog.Butt[Command::Delete],
                                             &dialog.dErrMsg,
                                             &dialog.sErrMsg,
                                             &dialog.qErrMsg,
                                             &dialog.PromptEach,
                                             &dialog.wStart,
                                             &dialog.LngCS,
                                             &dialog.LngEN,
                                             &dialog.Butt[Command::ViewErrorLog],
                                             &dialog.Butt[Command::SaveChanges]};
    std::vector<std::string> expected;
    for (tk::Control* control : order) {
        if (control->shown() && control->enabled() && control->tabStop()) {
            expected.push_back(testing_support::controlName(dialog, control));
        }
    }
    expected.push_back(expected.front());
    EXPECT_EQ(tabWalk(dialog, expected.size() - 1), expected);

    ViewErr& viewer = dialog.viewErr();
    program([&] { viewer.show(); });
    ASSERT_TRUE(driver->bringToFront(viewer));
    EXPECT_EQ(tabWalk(viewer, 3),
              (std::vector<std::string>{"ErrList", "ButtClose", "ButtDel", "ErrList"}));
    driver->type("c");
    EXPECT_FALSE(viewer.visible());
}

// The Delete key deletes the selected entry while the list has the keyboard, and edits the text
// in the Add box.
TEST_F(MainWindow, TheDeleteKeyDeletesTheSelectedEntryInTheListOnly) {
    program([&] {
        dialog.FrSetup.setVisible(true);
        dialog.setHeight(FullHeight);
    });
    ASSERT_TRUE(driver->bringToFront(dialog));
    for (const bool inList : {true, false}) {
        SCOPED_TRACE(inList ? "list" : "Add box");
        program([&] {
            while (dialog.LaunchList.listCount() > 0) {
                dialog.LaunchList.removeItem(0);
            }
            dialog.LaunchList.addItem("a");
            dialog.LaunchList.addItem("b");
            dialog.LaunchList.setListIndex(0);
        });
        driver->focus(inList ? static_cast<tk::Control&>(dialog.LaunchList)
                             : static_cast<tk::Control&>(dialog.Add));
        driver->press(testing_support::Key::Home);
        driver->press(testing_support::Key::Delete);
        const std::vector<std::string> left =
            inList ? std::vector<std::string>{"b"} : std::vector<std::string>{"a", "b"};
        EXPECT_EQ(dialog.LaunchList.items(), left);
        EXPECT_EQ(dialog.Add.text(), inList ? "a" : "");
    }
}

}  // namespace
