// The countdown: the one-second display tick and the commands that steer it, Stop/Continue,
// Config/Run again and Go now.

#include <cmath>
#include <string>

#include "app/dialog.h"
#include "app/settings_file.h"

// The Timer box always holds a numeric interval from 3 to 60: the settings reader and the
// spinner see to that, so the fallbacks never apply.
double Dialog::IntervalSeconds() const {
    return settings::numericValue(Timer.text()).value_or(10);
}

std::int16_t Dialog::IntervalAsInt16() const {
    return settings::toInt16(IntervalSeconds()).value_or(10);
}

int Dialog::IntervalMilliseconds() const {
    return static_cast<int>(std::nearbyint(IntervalSeconds() * 1000));
}

void Dialog::ShowRemainingSeconds() {
    LblCountdown.setCaption(std::to_string(RemainingSeconds) + " s");
}

void Dialog::CountDispl_Timer() {
    --RemainingSeconds;
    ShowRemainingSeconds();
    if (RemainingSeconds == 0) {
        // The last moment: only One by one may still interrupt.
        CountDispl.setEnabled(false);
        for (Command command : {Command::StopContinue, Command::ConfigRunAgain, Command::Exit,
                                Command::GoNow, Command::Help}) {
            Butt[command].setEnabled(false);
        }
    }
    ShowProgress();
}

void Dialog::ShowProgress() {
    const double interval = IntervalSeconds();
    double elapsed = interval - RemainingSeconds;
    if (elapsed < 0) {
        elapsed = 0;
    }
    RecCount.setWidth(static_cast<float>(ProgressWidth * elapsed / interval));
}

void Dialog::CountFromRemainingSeconds() {
    Countdown.setInterval(RemainingSeconds * 1000);
    CountDispl.setEnabled(true);
    Countdown.setEnabled(true);
}

void Dialog::Countdown_Timer() {
    LaunchRun();
}

void Dialog::StopContinueCommand() {
    if (CountDispl.enabled()) {
        CountDispl.setEnabled(false);
        Countdown.setEnabled(false);
        ApplyCaptions(Command::StopContinue, True);
        return;
    }
    if (SavePrompt() != tk::Answer::Cancel) {
        if (RemainingSeconds <= 0) {
            // Nothing is left to count after a run that left the window open: count the whole
            // interval again rather than arm a timer that would never fire.
            RemainingSeconds = IntervalAsInt16();
            ShowProgress();
            ShowRemainingSeconds();
        }
        ShowSetupArea(false);
        CountFromRemainingSeconds();
        setHeight(CompactHeight);
        ApplyCaptions(Command::StopContinue, True, 2);
        ApplyCaptions(Command::ConfigRunAgain, True, 2);
    }
    if (!AnythingToRun()) {
        ConfigRunAgainCommand();
    }
}

void Dialog::ConfigRunAgainCommand() {
    if (height() == CompactHeight) {
        ShowSetupArea(true);
        ApplyCaptions(Command::ConfigRunAgain, True, 1);
        ApplyCaptions(Command::StopContinue, True, 1);
        if (!SettingsDirty) {
            Butt[Command::SaveChanges].setEnabled(false);
        }
        setHeight(FullHeight);
        CountDispl.setEnabled(false);
        Countdown.setEnabled(false);
        Timer.setFocus();
        return;
    }
    if (SavePrompt() != tk::Answer::Cancel) {
        ShowSetupArea(false);
        ApplyCaptions(Command::ConfigRunAgain, True, 2);
        ApplyCaptions(Command::StopContinue, True, 2);
        setHeight(CompactHeight);
        RecCount.setWidth(0);
        RemainingSeconds = IntervalAsInt16();
        Countdown.setInterval(IntervalMilliseconds());
        CountDispl.setEnabled(true);
        Countdown.setEnabled(true);
        ShowRemainingSeconds();
    }
    if (!AnythingToRun()) {
        ConfigRunAgainCommand();
    }
}

void Dialog::GoNowCommand() {
    // The countdown goes on under the question; if it ends meanwhile, its run is the run.
    const std::uint64_t runsBefore = LaunchRuns;
    if (SavePrompt() == tk::Answer::Cancel || LaunchRuns != runsBefore) {
        return;
    }
    LblCountdown.setCaption("0 s");
    ShowSetupArea(false);
    CountDispl.setEnabled(false);
    Countdown.setEnabled(false);
    setHeight(CompactHeight);
    Butt[Command::StopContinue].setCaption("S&top");
    Butt[Command::StopContinue].setTooltip("Stop countdown");
    Butt[Command::ConfigRunAgain].setCaption("&Setup");
    if (!AnythingToRun()) {
        ConfigRunAgainCommand();
    }
    LaunchRun();
}
