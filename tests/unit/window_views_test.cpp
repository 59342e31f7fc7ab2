// How a front end's views come and go: a window's view is built when the window is first shown
// and follows it from then on, mirrored; a hidden control's view is built when it is first shown.
#include "toolkit/window_views.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/test/headless.h"
#include "toolkit/unbuilt_controls.h"

namespace {

using P = tk::WindowProperty;

struct Record {
    int built = 0;
    int gone = 0;
    std::vector<P> followed;
    bool allMirrored = true;
};

struct FakeView {
    FakeView(Record& record, tk::Mirroring& mirroring) : record(record), mirroring(mirroring) {
        ++record.built;
        record.allMirrored = record.allMirrored && mirroring.active();
    }
    ~FakeView() { ++record.gone; }
    void follow(P property) {
        record.followed.push_back(property);
        record.allMirrored = record.allMirrored && mirroring.active();
    }
    Record& record;
    tk::Mirroring& mirroring;
};

TEST(WindowViews, AreBuiltWhenFirstShownFollowMirroredAndGoWithTheirWindow) {
    tk::test::HeadlessLoop loop;
    tk::Mirroring mirroring{loop.app()};
    Record record;
    tk::WindowViews<FakeView> views(loop.app(), mirroring, [&](tk::Window&) {
        return std::make_unique<FakeView>(record, mirroring);
    });
    auto window = std::make_unique<tk::Window>(loop.app(), tk::FrameKind::FixedDialog, 3000, 2000);
    tk::Window neverShown(loop.app(), tk::FrameKind::Sizable, 3000, 2000);
    ASSERT_TRUE(loop.user([&] {
        window->setCaption("Before");
        neverShown.setCaption("Hidden");
    }));
    EXPECT_EQ(views.find(*window), nullptr);

    ASSERT_TRUE(loop.user([&] {
        window->show();
        window->setCaption("After");
        window->hide();
        window->show();
    }));
    EXPECT_NE(views.find(*window), nullptr);
    EXPECT_EQ(views.find(neverShown), nullptr);
    EXPECT_EQ(record.built, 1);
    EXPECT_EQ(record.followed, (std::vector<P>{P::Visible, P::Caption, P::Visible, P::Visible}));
    EXPECT_TRUE(record.allMirrored);
    EXPECT_FALSE(mirroring.active());
    window.reset();
    EXPECT_EQ(record.gone, 1);
    EXPECT_EQ(views.begin(), views.end());

    // Once cleared, nothing is followed or built any more.
    views.clear();
    tk::Window later(loop.app(), tk::FrameKind::FixedDialog, 3000, 2000);
    ASSERT_TRUE(loop.user([&] {
        neverShown.show();
        later.show();
    }));
    EXPECT_EQ(record.built, 1);
}

TEST(UnbuiltControls, AControlsViewIsBuiltOnceWhenFirstShownWithItsStateThen) {
    std::vector<std::string> built;
    std::vector<tk::Property> followed;  // outlives the controls, which report going
    tk::test::HeadlessLoop loop;
    tk::Window window(loop.app(), tk::FrameKind::FixedDialog, 3000, 2000);
    tk::Button shownLater(window, {0, 0, 1000, 300}, "Early");
    auto unbuilt = std::make_unique<tk::UnbuiltControls>();
    const auto build = [&](tk::Control& control) {
        built.push_back(control.caption());
        control.onViewChange = [&](const tk::Change& change) {
            followed.push_back(change.property);
        };
    };
    ASSERT_TRUE(loop.user([&] {
        shownLater.setVisible(false);
        unbuilt->buildWhenShown(shownLater, build);
        window.show();
        shownLater.setCaption("Late");
        shownLater.setVisible(true);
        shownLater.setVisible(false);
        shownLater.setVisible(true);
    }));
    EXPECT_EQ(built, std::vector<std::string>{"Late"});
    EXPECT_EQ(followed, (std::vector<tk::Property>{tk::Property::Visible, tk::Property::Visible}));

    // A control that goes while waiting is forgotten (the sanitizer build sees any later
    // touch); one still waiting when the front end's view goes is no longer watched.
    auto goesFirst = std::make_unique<tk::Button>(window, tk::Geometry{0, 400, 1000, 300}, "Gone");
    tk::Button stillHidden(window, {0, 800, 1000, 300}, "Hidden");
    ASSERT_TRUE(loop.user([&] {
        for (tk::Button* hidden : {goesFirst.get(), &stillHidden}) {
            hidden->setVisible(false);
            unbuilt->buildWhenShown(*hidden, build);
        }
    }));
    goesFirst.reset();
    unbuilt.reset();
    ASSERT_TRUE(loop.user([&] { stillHidden.setVisible(true); }));
    EXPECT_EQ(built, std::vector<std::string>{"Late"});
}

}  // namespace
