#pragma once
// A front end's views of the program's windows. A window's view is built when the window is first
// shown: by then its controls exist (a window announces itself before the controls of its class
// are made). From then on it follows every change of the window, with what its native window
// reports meanwhile kept from the program, and it goes with its window.
//
// View is the front end's window view: made by the front end's `build`, with a
// follow(WindowProperty) that mirrors one change of the window.

#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>

#include "toolkit/application.h"
#include "toolkit/mirroring.h"
#include "toolkit/window.h"

namespace tk {

template <typename View>
class WindowViews {
  public:
    using Build = std::function<std::unique_ptr<View>(Window& window)>;

    WindowViews(Application& app, Mirroring& mirroring, Build build)
        : app_(app), mirroring_(mirroring), build_(std::move(build)) {
        app_.onWindowCreated = [this](Window& window) {
            window.onViewChange = [this, &window](WindowProperty property) {
                changed(window, property);
            };
        };
        app_.onWindowDestroyed = [this](Window& window) {
            if (auto found = views_.find(&window); found != views_.end()) {
                const std::unique_ptr<View> view = std::move(found->second);
                views_.erase(found);
            }
        };
    }
    ~WindowViews() { clear(); }
    WindowViews(const WindowViews&) = delete;
    WindowViews& operator=(const WindowViews&) = delete;

    // The window's view, or nullptr until the window is first shown.
    View* find(const Window& window) const {
        const auto found = views_.find(&window);
        return found == views_.end() ? nullptr : found->second.get();
    }
    auto begin() const { return views_.begin(); }
    auto end() const { return views_.end(); }

    // Stops following the windows and takes every view down. The views are out of the map
    // before they go, so that nothing reached while they go finds them.
    void clear() {
        app_.onWindowCreated = nullptr;
        app_.onWindowDestroyed = nullptr;
        for (Window* window : app_.windows()) {
            window->onViewChange = nullptr;
        }
        auto views = std::move(views_);
        views_.clear();
    }

  private:
    void changed(Window& window, WindowProperty property) {
        auto found = views_.find(&window);
        if (found == views_.end()) {
            if (property != WindowProperty::Visible || !window.visible()) {
                return;
            }
            mirroring_.mirror([&] { found = views_.emplace(&window, build_(window)).first; });
        }
        mirroring_.mirror([&] { found->second->follow(property); });
    }

    Application& app_;
    Mirroring& mirroring_;
    Build build_;
    std::unordered_map<const Window*, std::unique_ptr<View>> views_;
};

}  // namespace tk
