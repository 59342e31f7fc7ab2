#pragma once
// What a refused launch tells the user: the shell's result code as a message in the current
// language, the advice sentences that follow it, and the text of the "Startup error" box.
// Deciding when a box is shown or a record logged is OpenEntry's.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/bilingual_text.h"

namespace launch {

// The message for a shell result of 32 or less; codes outside the table, negative ones
// included, give "Unknown error".
std::string launchMessage(std::int32_t code, Language language);

// The message for a fault that kept an entry from being handled (out of memory, a platform
// error): "Unexpected error: " and what the fault says, on one line, since the log holds one
// record a line.
std::string faultMessage(std::string_view what, Language language);

// The advice sentences of a failure, in box order: about the log (saved, could not be saved,
// or not asked for), then, when the program quits after the countdown, about that option.
enum class LogOutcome { Saved, NotSaved, NotAsked };
std::vector<std::string> launchAdvice(LogOutcome log, bool quitAfterCountdown, Language language);

// "Command:", the command as typed, "Error message:", the message, each advice sentence after
// two line feeds, and two line feeds at the end.
std::string launchErrorText(const std::string& command, const std::string& message,
                            const std::vector<std::string>& advice, Language language);
std::string launchErrorTitle(Language language);

}  // namespace launch
