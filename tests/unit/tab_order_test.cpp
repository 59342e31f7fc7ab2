// The tab order of both windows follows the screen: row by row from the top, left to right,
// whichever frame holds a control and whatever order the controls were made in.

#include "toolkit/tab_order.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/dialog.h"
#include "app/view_err.h"
#include "support/control_names.h"
#include "toolkit/test/headless.h"

namespace {

using testing_support::controlNames;

TEST(TabOrder, BothWindowsGoRowByRowAsTheyLieOnScreen) {
    tk::test::HeadlessLoop loop;
    Dialog d(loop.app(), Services{});
    EXPECT_EQ(controlNames(d, tk::tabOrder(d)),
              (std::vector<std::string>{"Butt0",      "Butt1",   "Butt2",       "Butt3",  "Butt5",
                                        "Butt4",      "Timer",   "TimerScroll", "Add",    "Butt6",
                                        "LaunchList", "Butt7",   "Butt8",       "Butt9",  "dErrMsg",
                                        "sErrMsg",    "qErrMsg", "PromptEach",  "wStart", "LngCS",
                                        "LngEN",      "Butt10",  "Butt11"}));
    // The viewer keeps its order at every size the user gives it.
    ViewErr& viewer = d.viewErr();
    for (const auto& [width, height] :
         {std::pair{5000.0F, 4005.0F}, std::pair{3215.0F, 1485.0F}, std::pair{12000.0F, 9000.0F}}) {
        viewer.setSize(width, height);
        EXPECT_EQ(controlNames(d, tk::tabOrder(viewer)),
                  (std::vector<std::string>{"ErrList", "ButtClose", "ButtDel"}))
            << width << " x " << height;
    }
}

}  // namespace
