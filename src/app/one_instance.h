#pragma once
// One Opalist per user and settings file: the main window claims its settings file before its
// start-up sequence runs, and comes to the front whenever a later start asks.

#include <memory>

#include "platform/single_instance.h"

class Dialog;

// The claim, which the program keeps while it runs; nullptr when another start holds the
// settings file: that one was asked to come to the front, and this start ends without launching
// anything.
std::unique_ptr<platform::SingleInstance> claimOneInstance(Dialog& dialog);
