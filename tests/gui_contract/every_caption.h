#pragma once
// Every caption the main window and the error-log window show, in both languages, for the
// front ends' checks that each fits its control.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/dialog.h"
#include "app/view_err.h"
#include "toolkit/application.h"

namespace testing_support {

// Calls check with each control of both windows that has a caption, in English, then in Czech:
// with the captions of the countdown's other states and Go now's, and with each caption that
// Config / Run again takes.
inline void forEveryCaption(tk::Application& app, Dialog& dialog,
                            const std::function<void(tk::Control&)>& check) {
    const auto program = [&](const std::function<void()>& change) {
        ASSERT_TRUE(app.dispatch(change));
    };
    const auto checkAll = [&](const std::vector<tk::Control*>& controls) {
        for (tk::Control* control : controls) {
            if (!control->caption().empty()) {
                check(*control);
            }
        }
    };
    for (const bool czech : {false, true}) {
        SCOPED_TRACE(czech ? "Czech" : "English");
        program([&] {
            czech ? dialog.LngCS.setValue(true) : dialog.LngEN.setValue(true);
            dialog.ApplyCaptions(Command::StopContinue, Dialog::True, 2);
        });
        checkAll(dialog.children());
        checkAll(dialog.FrSetup.children());
        for (const char* caption : {"Kr&ok za krokem", "Znovu spustit", "&Setup", "S&top"}) {
            program([&] { dialog.Butt[Command::ConfigRunAgain].setCaption(caption); });
            check(dialog.Butt[Command::ConfigRunAgain]);
        }
        program([&] { dialog.viewErr().applyLanguage(); });
        checkAll(dialog.viewErr().children());
    }
}

}  // namespace testing_support
