#include "toolkit/application.h"

#include <algorithm>

#include "toolkit/window.h"

namespace tk {

bool Application::dispatch(const std::function<void()>& event) {
    if (ended_) {
        return false;
    }
    try {
        event();
    } catch (const ProgramEnded&) {
        return false;
    }
    return !ended_;
}

Answer Application::messageBox(const MessageBox& box) {
    checkRunning();
    const Answer answer = backend_.showMessageBox(box);
    checkRunning();
    return answer;
}

void Application::end() {
    if (!ended_) {
        ended_ = true;
        backend_.programEnded();
    }
    throw ProgramEnded{};
}

void Application::checkRunning() const {
    if (ended_) {
        throw ProgramEnded{};
    }
}

Window* Application::firstShownWindow() const {
    const auto shown = std::find_if(windows_.begin(), windows_.end(),
                                    [](const Window* window) { return window->visible(); });
    return shown != windows_.end() ? *shown : nullptr;
}

void Application::addWindow(Window& window) {
    windows_.push_back(&window);
    if (onWindowCreated) {
        onWindowCreated(window);
    }
}

void Application::removeWindow(Window& window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
    if (onWindowDestroyed) {
        onWindowDestroyed(window);
    }
}

}  // namespace tk
