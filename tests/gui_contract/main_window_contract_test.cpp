// The main window on every front end: the compact height shows the strip of commands, the full
// height the whole setup, with the controls over the setup frame's area above it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/dialog.h"
#include "gui_contract/front_end_driver.h"

namespace {

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        program([this] { dialog.show(); });
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
                          Case{"full", true, Dialog::ClientHeight + 450, 381, setup, {}}}) {
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

}  // namespace
