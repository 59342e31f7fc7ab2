#pragma once
// The command-line options of the log-on programs: "--logon-programs --list" prints every
// log-on entry with its state, "--take-over NAME", "--give-back NAME" and "--give-back-all"
// change them. Each ends with status 0 when done, 1 when refused or failed (with a one-line
// reason on the standard error).

#include "app/command_options.h"
#include "logon/logon_programs.h"

// options.action is one of LogonList, TakeOver, GiveBack, GiveBackAll.
CommandAnswer answerLogonCommand(const CommandOptions& options, logon::LogonPrograms& programs,
                                 const std::string& program);

// The list as --logon-programs --list prints it: one block per entry, then what the guard
// found and what could not be read of the record.
std::string logonListText(const logon::LogonPrograms& programs, Language language);
