#pragma once
// The commands of the main window, one per command button. The value is the button's index in
// the window's button array and in the caption tables; the order is fixed.

#include <array>

enum class Command {
    Exit,
    StopContinue,
    ConfigRunAgain,
    GoNow,
    Help,
    OneByOne,
    AddMod,
    Up,
    Down,
    Delete,
    ViewErrorLog,
    SaveChanges,
};

inline constexpr std::array<Command, 12> AllCommands{
    Command::Exit, Command::StopContinue, Command::ConfigRunAgain, Command::GoNow,
    Command::Help, Command::OneByOne,     Command::AddMod,         Command::Up,
    Command::Down, Command::Delete,       Command::ViewErrorLog,   Command::SaveChanges,
};

constexpr int commandIndex(Command command) {
    return static_cast<int>(command);
}
