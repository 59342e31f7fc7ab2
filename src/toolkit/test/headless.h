#pragma once
// A front end without a screen, for tests: a virtual clock that fires due timers in time order,
// scripted message-box answers (each may let virtual time pass while its box is open, as real
// timers tick under a modal box), and a record of every box shown.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "toolkit/application.h"

namespace tk::test {

struct ShownBox {
    MessageBox box;
    std::optional<Answer> answer;  // none for a box that nobody scripted
    std::int64_t atMs;             // virtual time when the box opened
};

// Thrown by a box that nobody scripted, after it is recorded. It is not a std::exception, so no
// handler of the program can catch it and carry on: it reaches the test and fails it.
struct UnexpectedBox {
    MessageBox box;
};

class HeadlessLoop : private Backend {
  public:
    HeadlessLoop() = default;

    Application& app() { return app_; }

    std::int64_t now() const { return now_; }
    // Lets virtual time pass, firing every timer that falls due on the way, in time order
    // (timers due at the same moment in the order they were started).
    void advance(std::int64_t ms);
    // Runs a user action through the dispatch boundary, as a front end would.
    bool user(const std::function<void()>& action) { return app_.dispatch(action); }

    // The answer for the next message box, and how long the user takes to give it.
    void answerNext(Answer answer, std::int64_t waitMs = 0);
    // Boxes without a scripted answer get this one; without it they throw UnexpectedBox.
    void answerUnscriptedWith(Answer answer) {
        fallback_ = answer;
        hasFallback_ = true;
    }
    const std::vector<ShownBox>& boxes() const { return boxes_; }
    std::size_t pendingAnswers() const { return script_.size(); }

    bool ended() const { return ended_; }
    // When the timer is due next, or -1 when it does not run.
    std::int64_t dueAt(const Timer& timer) const;

  private:
    struct Scheduled {
        std::int64_t due;
        std::uint64_t order;
    };
    struct Scripted {
        Answer answer;
        std::int64_t waitMs;
    };

    void timerChanged(Timer& timer) override;
    void timerDestroyed(Timer& timer) override;
    Answer showMessageBox(const MessageBox& box) override;
    void programEnded() override { ended_ = true; }

    Application app_{*this};
    std::int64_t now_ = 0;
    std::uint64_t nextOrder_ = 0;
    std::map<Timer*, Scheduled> timers_;
    std::deque<Scripted> script_;
    bool hasFallback_ = false;
    Answer fallback_ = Answer::Ok;
    std::vector<ShownBox> boxes_;
    bool ended_ = false;
};

}  // namespace tk::test
