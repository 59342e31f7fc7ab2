#pragma once
// A modal message box as the program asks for it: title, text, icon, the set of buttons and the
// default one. Front ends map each button to their native one; which buttons a set holds and in
// what order, where the default stands and what a box left without a button answers are decided
// here, once for every front end.

#include <cstddef>
#include <functional>
#include <span>
#include <string>

namespace tk {

enum class Icon { Question, Information, Exclamation };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct MessageBox {
    std::string title;
    std::string text;  // lines separated by LF
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
    Answer defaultButton = Answer::Ok;
    // Stays above every other window, those that open after it included, with the keyboard as
    // far as the system allows: the boxes of a launch run, which the programs it just started
    // must not bury. Other boxes stay where the user puts them.
    bool onTop = false;
};

// The buttons of a set in the order they stand in the box: OK; Yes, No; Yes, No, Cancel.
std::span<const Answer> buttonsOf(Buttons buttons);

// The place in the set of the box's default button: the first button when the set lacks it.
std::size_t defaultPlace(const MessageBox& box);

// The answer of a box that closed: the button of its set that `pressed` picks out, or, for a box
// left without one (Esc, the close box, the end of the program), the set's way out: No or
// Cancel, or OK when that is the only button.
Answer answerOf(Buttons buttons, const std::function<bool(Answer)>& pressed);

}  // namespace tk
