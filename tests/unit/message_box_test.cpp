// What every front end's message box shows and answers: the buttons of each set in order, where
// the default one stands, and the answer of a box closed with a button or left without one.
#include "toolkit/message_box.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using tk::Answer;
using tk::Buttons;

TEST(MessageBoxSets, ButtonsInOrderDefaultByPlaceAndTheWayOut) {
    struct Case {
        Buttons set;
        Answer defaultButton;
        std::size_t place;
        std::optional<Answer> pressed;  // none: Esc, the close box or the end of the program
        Answer answer;
    };
    const std::vector<Case> cases = {
        {Buttons::Ok, Answer::Ok, 0, Answer::Ok, Answer::Ok},
        {Buttons::Ok, Answer::Yes, 0, std::nullopt, Answer::Ok},
        {Buttons::Ok, Answer::Ok, 0, Answer::Cancel, Answer::Ok},
        {Buttons::YesNo, Answer::No, 1, Answer::Yes, Answer::Yes},
        {Buttons::YesNo, Answer::Yes, 0, std::nullopt, Answer::No},
        // A default the set lacks falls to its first button; a button it lacks is no answer.
        {Buttons::YesNo, Answer::Cancel, 0, Answer::Cancel, Answer::No},
        {Buttons::YesNo, Answer::Ok, 0, Answer::Ok, Answer::No},
        {Buttons::YesNoCancel, Answer::Cancel, 2, Answer::No, Answer::No},
        {Buttons::YesNoCancel, Answer::No, 1, std::nullopt, Answer::Cancel},
        {Buttons::YesNoCancel, Answer::Ok, 0, Answer::Ok, Answer::Cancel},
    };
    for (const Case& c : cases) {
        const tk::MessageBox box{"Opalist", "text", tk::Icon::Question, c.set, c.defaultButton};
        EXPECT_EQ(tk::defaultPlace(box), c.place);
        EXPECT_EQ(tk::answerOf(c.set, [&](Answer button) { return c.pressed == button; }),
                  c.answer);
    }
    const auto order = [](Buttons set) {
        const auto buttons = tk::buttonsOf(set);
        return std::vector<Answer>(buttons.begin(), buttons.end());
    };
    EXPECT_EQ(order(Buttons::Ok), std::vector<Answer>{Answer::Ok});
    EXPECT_EQ(order(Buttons::YesNo), (std::vector<Answer>{Answer::Yes, Answer::No}));
    EXPECT_EQ(order(Buttons::YesNoCancel),
              (std::vector<Answer>{Answer::Yes, Answer::No, Answer::Cancel}));
}

}  // namespace
