// The tab order of both windows follows the screen: row by row from the top, left to right,
// whichever frame holds a control and whatever order the controls were made in.

#include "toolkit/tab_order.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/dialog.h"
#include "toolkit/test/headless.h"
#include "ui/view_err.h"

namespace {

std::vector<std::string> names(Dialog& d, const std::vector<tk::Control*>& order) {
    std::vector<std::pair<const tk::Control*, std::string>> known = {
        {&d.Timer, "Timer"},
        {&d.TimerScroll, "TimerScroll"},
        {&d.Add, "Add"},
        {&d.LaunchList, "LaunchList"},
        {&d.dErrMsg, "dErrMsg"},
        {&d.sErrMsg, "sErrMsg"},
        {&d.qErrMsg, "qErrMsg"},
        {&d.PromptEach, "PromptEach"},
        {&d.wStart, "wStart"},
        {&d.LngCS, "LngCS"},
        {&d.LngEN, "LngEN"},
        {&d.viewErr().ErrList, "ErrList"},
        {&d.viewErr().ButtClose, "ButtClose"},
        {&d.viewErr().ButtDel, "ButtDel"}};
    for (int index = 0; index < d.Butt.count(); ++index) {
        known.emplace_back(&d.Butt[index], "Butt" + std::to_string(index));
    }
    std::vector<std::string> result;
    for (const tk::Control* control : order) {
        std::string name = "?";
        for (const auto& [candidate, candidateName] : known) {
            if (candidate == control) {
                name = candidateName;
            }
        }
        result.push_back(name);
    }
    return result;
}

TEST(TabOrder, BothWindowsGoRowByRowAsTheyLieOnScreen) {
    tk::test::HeadlessLoop loop;
    Dialog d(loop.app(), Services{});
    EXPECT_EQ(names(d, tk::tabOrder(d)),
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
        EXPECT_EQ(names(d, tk::tabOrder(viewer)),
                  (std::vector<std::string>{"ErrList", "ButtClose", "ButtDel"}))
            << width << " x " << height;
    }
}

}  // namespace
