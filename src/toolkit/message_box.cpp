#include "toolkit/message_box.h"

#include <algorithm>
#include <array>

namespace tk {

namespace {

constexpr std::array<Answer, 1> OkSet{Answer::Ok};
constexpr std::array<Answer, 2> YesNoSet{Answer::Yes, Answer::No};
constexpr std::array<Answer, 3> YesNoCancelSet{Answer::Yes, Answer::No, Answer::Cancel};

}  // namespace

std::span<const Answer> buttonsOf(Buttons buttons) {
    switch (buttons) {
        case Buttons::YesNo:
            return YesNoSet;
        case Buttons::YesNoCancel:
            return YesNoCancelSet;
        case Buttons::Ok:
            break;
    }
    return OkSet;
}

std::size_t defaultPlace(const MessageBox& box) {
    const std::span<const Answer> set = buttonsOf(box.buttons);
    const auto found = std::find(set.begin(), set.end(), box.defaultButton);
    return found == set.end() ? 0 : static_cast<std::size_t>(found - set.begin());
}

Answer answerOf(Buttons buttons, const std::function<bool(Answer)>& pressed) {
    const std::span<const Answer> set = buttonsOf(buttons);
    const auto found = std::find_if(set.begin(), set.end(), pressed);
    // The way out is the set's last button.
    return found != set.end() ? *found : set.back();
}

}  // namespace tk
