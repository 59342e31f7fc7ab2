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

struct Record {
    int built = 0;
    int gone = 0;
    std::vector<tk::WindowProperty> followed;
    bool allMirrored = true;
};

struct FakeView {
    FakeView(Record& record, tk::Mirroring& mirroring) : record(record), mirroring(mirroring) {
        ++record.built;
        record.allMirrored = record.allMirrored && mirroring.active();
    }
    ~FakeView() { ++record.gone; }
    void follow(tk::WindowProperty property) {
        record.followed.push_back(property);
        record.allMirrored = record.allMirrored && mirroring.active();
    }
    Record& record;
    tk::Mirroring& mirroring;
};

struct Views {
    tk::test::HeadlessLoop loop;
    tk::Mirroring mirroring{loop.app()};
    Record record;
    tk::WindowViews<FakeView> views{loop.app(), mirroring, [this](tk::Window&) {
                                        return std::make_unique<FakeView>(record, mirroring);
                                    }};
};

TEST(WindowViews, AreBuiltWhenFirstShownFollowMirroredAndGoWithTheirWindow) {
    using P = tk::WindowProperty;
    Views v;
    {
        tk::Window window(v.loop.app(), tk::FrameKind::FixedDialog, 3000, 2000);
        tk::Window neverShown(v.loop.app(), tk::FrameKind::Sizable, 3000, 2000);
        ASSERT_TRUE(v.loop.user([&] {
            window.setCaption("Before");
            window.setWidth(4000);
            neverShown.setCaption("Hidden");
        }));
        EXPECT_EQ(v.views.find(window), nullptr);
        EXPECT_EQ(v.record.built, 0);

        ASSERT_TRUE(v.loop.user([&] {
            window.show();
            window.setCaption("After");
            window.hide();
            window.show();
        }));
        ASSERT_NE(v.views.find(window), nullptr);
        EXPECT_EQ(v.views.find(neverShown), nullptr);
        EXPECT_EQ(v.record.built, 1);
        EXPECT_EQ(v.record.followed,
                  (std::vector<P>{P::Visible, P::Caption, P::Visible, P::Visible}));
        EXPECT_TRUE(v.record.allMirrored);
        EXPECT_FALSE(v.mirroring.active());
    }
    EXPECT_EQ(v.record.gone, 1);
    EXPECT_EQ(v.views.begin(), v.views.end());

    // Once cleared, nothing is followed or built any more.
    tk::Window kept(v.loop.app(), tk::FrameKind::FixedDialog, 3000, 2000);
    ASSERT_TRUE(v.loop.user([&] { kept.show(); }));
    v.views.clear();
    EXPECT_EQ(v.record.gone, 2);
    tk::Window later(v.loop.app(), tk::FrameKind::FixedDialog, 3000, 2000);
    ASSERT_TRUE(v.loop.user([&] {
        kept.setCaption("Unseen");
        later.show();
    }));
    EXPECT_EQ(v.record.built, 2);
    EXPECT_EQ(v.views.find(later), nullptr);
}

TEST(UnbuiltControls, AControlsViewIsBuiltOnceWhenFirstShownWithItsStateThen) {
    tk::test::HeadlessLoop loop;
    tk::Window window(loop.app(), tk::FrameKind::FixedDialog, 3000, 2000);
    tk::Button shownLater(window, {0, 0, 1000, 300}, "Early");
    std::vector<std::string> built;
    std::vector<tk::Property> followed;
    auto unbuilt = std::make_unique<tk::UnbuiltControls>();
    const auto build = [&](tk::Control& control) {
        built.push_back(control.caption());
        control.onViewChange = [&](const tk::Change& change) {
            followed.push_back(change.property);
        };
    };
    ASSERT_TRUE(loop.user([&] { shownLater.setVisible(false); }));
    unbuilt->buildWhenShown(shownLater, build);
    ASSERT_TRUE(loop.user([&] {
        window.show();
        shownLater.setCaption("Late");
        shownLater.setVisible(true);
        shownLater.setVisible(false);
        shownLater.setVisible(true);
    }));
    EXPECT_EQ(built, std::vector<std::string>{"Late"});
    EXPECT_EQ(followed, (std::vector<tk::Property>{tk::Property::Visible, tk::Property::Visible}));

    // A control that goes while waiting is forgotten; one still waiting when the front end's
    // view goes is no longer watched.
    {
        tk::Button goesFirst(window, {0, 400, 1000, 300}, "Gone");
        goesFirst.setVisible(false);
        unbuilt->buildWhenShown(goesFirst, build);
    }
    tk::Button stillHidden(window, {0, 800, 1000, 300}, "Hidden");
    ASSERT_TRUE(loop.user([&] { stillHidden.setVisible(false); }));
    unbuilt->buildWhenShown(stillHidden, build);
    unbuilt.reset();
    ASSERT_TRUE(loop.user([&] { stillHidden.setVisible(true); }));
    EXPECT_EQ(built, std::vector<std::string>{"Late"});
}

}  // namespace
