#pragma once
// A front end's guard against echoes: while it mirrors a change of the program into its native
// controls, what those controls report is the front end's own doing, not the user's, and must
// not reach the program.

#include <functional>

#include "toolkit/application.h"

namespace tk {

class Mirroring {
  public:
    explicit Mirroring(Application& app) : app_(app) {}

    // Runs a user action through the dispatch boundary, unless a mirror is under way or the
    // program has ended.
    void user(const std::function<void()>& action) {
        if (depth_ == 0 && !app_.ended()) {
            app_.dispatch(action);
        }
    }
    // Applies a change of the program to the native controls, their reports ignored meanwhile.
    void mirror(const std::function<void()>& apply) {
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{++depth_};
        apply();
    }
    bool active() const { return depth_ > 0; }
    // From now on nothing reaches the program: the front end is going.
    void stopForGood() { ++depth_; }

  private:
    Application& app_;
    int depth_ = 0;
};

}  // namespace tk
