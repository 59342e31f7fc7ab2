#include "toolkit/test/headless.h"

#include <iostream>

#include "toolkit/timer.h"

namespace tk::test {

void HeadlessLoop::advance(std::int64_t ms) {
    const std::int64_t target = now_ + ms;
    while (!ended_) {
        Timer* next = nullptr;
        Scheduled nextAt{};
        for (const auto& [timer, at] : timers_) {
            if (at.due <= target && (next == nullptr || at.due < nextAt.due ||
                                     (at.due == nextAt.due && at.order < nextAt.order))) {
                next = timer;
                nextAt = at;
            }
        }
        if (next == nullptr) {
            break;
        }
        now_ = nextAt.due;
        // Schedule the next tick before this one runs, so that a handler that restarts or stops
        // the timer has the last word.
        timers_[next] = Scheduled{now_ + next->interval(), nextOrder_++};
        app_.dispatch([next] { next->tick(); });
    }
    if (now_ < target) {
        now_ = target;
    }
}

void HeadlessLoop::answerNext(Answer answer, std::int64_t waitMs) {
    script_.push_back(Scripted{answer, waitMs});
}

std::int64_t HeadlessLoop::dueAt(const Timer& timer) const {
    const auto found = timers_.find(const_cast<Timer*>(&timer));
    return found == timers_.end() ? -1 : found->second.due;
}

void HeadlessLoop::timerChanged(Timer& timer) {
    if (timer.running()) {
        timers_[&timer] = Scheduled{now_ + timer.interval(), nextOrder_++};
    } else {
        timers_.erase(&timer);
    }
}

void HeadlessLoop::timerDestroyed(Timer& timer) {
    timers_.erase(&timer);
}

Answer HeadlessLoop::showMessageBox(const MessageBox& box) {
    Scripted reply{fallback_, 0};
    if (!script_.empty()) {
        reply = script_.front();
        script_.pop_front();
    } else if (!hasFallback_) {
        boxes_.push_back(ShownBox{box, std::nullopt, now_});
        // The test framework cannot print an exception of its own type, so say which box it was.
        std::cerr << "unexpected message box: " << box.title << ": " << box.text << '\n';
        throw UnexpectedBox{box};
    }
    boxes_.push_back(ShownBox{box, reply.answer, now_});
    if (reply.waitMs > 0) {
        advance(reply.waitMs);
    }
    return reply.answer;
}

}  // namespace tk::test
