#include "gui/win32/window_view.h"

#include <commctrl.h>

#include <algorithm>

#include "gui/win32/control_kinds.h"
#include "gui/win32/control_view.h"
#include "gui/win32/front_end.h"
#include "gui/win32/key_routing.h"
#include "gui/win32/private_messages.h"
#include "platform/system_library.h"
#include "platform/win32_text.h"
#include "toolkit/controls.h"
#include "toolkit/placement.h"

namespace gui::win32 {

namespace {

constexpr wchar_t WindowClass[] = L"OpalistWindow";

// No WS_CLIPCHILDREN: shapes and the backgrounds of transparent labels are painted by the
// window under its controls.
DWORD styleFor(tk::FrameKind kind) {
    return kind == tk::FrameKind::FixedDialog ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU
                                              : WS_OVERLAPPEDWINDOW;
}

DWORD extendedStyleFor(tk::FrameKind kind) {
    return kind == tk::FrameKind::FixedDialog ? WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT
                                              : WS_EX_CONTROLPARENT;
}

LOGFONTW boldOf(LOGFONTW font) {
    font.lfWeight = FW_BOLD;
    return font;
}

// The common controls library (version 6, by the manifest) is loaded by the system when the
// first native control is made, so the program does not import it: linked in, it would be loaded
// before the program starts, on the way to its first window. Only the tooltip class is
// registered through it, once the window has been painted.
void registerTooltipClass() {
    static const bool registered = [] {
        using Register = decltype(&::InitCommonControlsEx);
        const auto registerClasses =
            platform::win32::systemFunction<Register>(L"comctl32.dll", "InitCommonControlsEx");
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
        return registerClasses != nullptr && registerClasses(&classes);
    }();
    static_cast<void>(registered);
}

}  // namespace

void WindowView::registerClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
        // The small icon's own image, loaded as it is: left out, the class would make it by
        // copying the large one, which takes Wine ~2 ms of the start.
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageW(windowClass.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        if (windowClass.hIcon == nullptr) {
            windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        }
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = WindowClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    static_cast<void>(registered);
}

WindowView::WindowView(FrontEnd& frontEnd, tk::Window& window)
    : frontEnd_(frontEnd), window_(window) {
    const tk::FrameKind kind = window_.frameKind();
    // A fixed dialog is owned by the hidden window: no taskbar button.
    HWND owner = kind == tk::FrameKind::FixedDialog ? frontEnd_.hiddenOwner() : nullptr;
    hwnd_ = CreateWindowExW(extendedStyleFor(kind), WindowClass,
                            platform::win32::wide(window_.caption()).c_str(), styleFor(kind),
                            CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner, nullptr,
                            GetModuleHandleW(nullptr), this);
    dpi_ = GetDpiForWindow(hwnd_);
    makeFonts();

    build(window_);
    followSize();
}

WindowView::~WindowView() {
    for (auto& [control, view] : views_) {
        view->detach();
    }
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

// A new child window goes below its siblings, so making them in this order stacks them as
// stack() does without moving any: the window's controls from the last to the first, then the
// controls of its frames in the same way, below them. A frame has no native window; its
// controls lie on the window.
void WindowView::build(tk::Container& container) {
    const std::vector<tk::Control*>& children = container.children();
    const auto buildOne = [&](tk::Control& control) {
        if (control.visible()) {
            buildView(control);
            return;
        }
        unbuilt_.buildWhenShown(control, [this](tk::Control& shown) {
            frontEnd_.mirror([&] {
                buildView(shown);
                stack();
            });
        });
    };
    for (auto control = children.rbegin(); control != children.rend(); ++control) {
        if ((*control)->kind() != tk::Kind::Frame) {
            buildOne(**control);
        }
    }
    for (tk::Control* control : children) {
        if (control->kind() == tk::Kind::Frame) {
            buildOne(*control);
        }
    }
}

void WindowView::buildView(tk::Control& control) {
    views_.emplace(&control, createView(*this, control));
    if (control.kind() == tk::Kind::Frame) {
        build(static_cast<tk::Frame&>(control));
    }
}

// From the bottom up: a frame's controls below the controls of its container, and later
// controls above earlier ones.
void WindowView::stackOrder(tk::Container& container, std::vector<HWND>& bottomUp) const {
    for (tk::Control* control : container.children()) {
        if (control->kind() == tk::Kind::Frame) {
            stackOrder(static_cast<tk::Frame&>(*control), bottomUp);
        }
    }
    for (tk::Control* control : container.children()) {
        if (HWND child = hwndOf(*control); child != nullptr) {
            bottomUp.push_back(child);
        }
    }
}

void WindowView::stack() {
    std::vector<HWND> bottomUp;
    stackOrder(window_, bottomUp);
    for (HWND child : bottomUp) {
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

ControlView* WindowView::controlView(const tk::Control& control) const {
    const auto found = views_.find(&control);
    return found == views_.end() ? nullptr : found->second.get();
}

HWND WindowView::hwndOf(const tk::Control& control) const {
    const auto found = views_.find(&control);
    return found == views_.end() ? nullptr : found->second->hwnd();
}

void WindowView::collect(tk::Container& container, std::vector<ControlView*>& into) const {
    for (tk::Control* control : container.children()) {
        const auto found = views_.find(control);
        if (found == views_.end()) {
            continue;  // not shown yet, and neither is anything on it
        }
        into.push_back(found->second.get());
        if (control->kind() == tk::Kind::Frame) {
            collect(static_cast<tk::Frame&>(*control), into);
        }
    }
}

std::vector<ControlView*> WindowView::inOrder() const {
    std::vector<ControlView*> views;
    collect(window_, views);
    return views;
}

void WindowView::follow(tk::WindowProperty property) {
    switch (property) {
        case tk::WindowProperty::Caption:
            SetWindowTextW(hwnd_, platform::win32::wide(window_.caption()).c_str());
            break;
        case tk::WindowProperty::Size:
            followSize();
            break;
        case tk::WindowProperty::Visible:
            if (!window_.visible()) {
                ShowWindow(hwnd_, SW_HIDE);
                break;
            }
            ShowWindow(hwnd_, SW_SHOW);
            break;
        case tk::WindowProperty::Activate: {
            if (IsIconic(hwnd_)) {
                ShowWindow(hwnd_, SW_RESTORE);
            }
            // A box open over the window is its last active popup, which takes the keyboard.
            const HWND front = GetLastActivePopup(hwnd_);
            SetForegroundWindow(front);
            SetActiveWindow(front);
            break;
        }
    }
}

// The outer size of a client area with this window's frame, at its DPI.
POINT WindowView::outerPixels(tk::PixelSize client) const {
    const tk::FrameKind kind = window_.frameKind();
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectExForDpi(&outer, styleFor(kind), FALSE, extendedStyleFor(kind), dpi_);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

void WindowView::followSize() {
    const tk::PixelSize client =
        tk::clientPixels(window_.frameKind(), window_.width(), window_.height(), dpi_);
    const POINT outer = outerPixels(client);
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    RECT got{};
    GetClientRect(hwnd_, &got);
    // Only a size the program sets moves the window: never the user's own drag.
    const bool changed = got.right != client.width || got.bottom != client.height;
    const bool first = !placed_;
    if (first) {
        // A view is made as its window is first shown: its first size places it too, centred
        // on its monitor's work area, in one move.
        placed_ = true;
        const tk::PixelRect place = tk::centredIn({outer.x, outer.y}, workArea());
        SetWindowPos(hwnd_, nullptr, place.left, place.top, outer.x, outer.y,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.x, outer.y, flags);
    }
    // The frame may differ from what the system computed for the DPI: the client area decides.
    GetClientRect(hwnd_, &got);
    if (got.right != client.width || got.bottom != client.height) {
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.x + client.width - got.right,
                     outer.y + client.height - got.bottom, flags);
    }
    // A window that grows stays wholly on its monitor.
    if (!first && changed) {
        const tk::PixelRect frame = frameRect();
        const tk::PixelRect kept = tk::keptInside(frame, workArea());
        if (kept != frame) {
            moveTo(kept);
        }
    }
}

tk::PixelRect WindowView::frameRect() const {
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    return {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

// The work area of the monitor the window is on: the monitor without the taskbar.
tk::PixelRect WindowView::workArea() const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

void WindowView::moveTo(const tk::PixelRect& place) {
    SetWindowPos(hwnd_, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The layout font is measured once for both: measuring costs more than making a font.
void WindowView::makeFonts() {
    const LOGFONTW font = layoutFont(dpi_);
    regular_ = std::make_unique<Font>(font);
    bold_ = std::make_unique<Font>(boldOf(font));
}

void WindowView::rescale(unsigned dpi) {
    dpi_ = dpi;
    makeFonts();
    for (auto& [control, view] : views_) {
        view->rescale();
    }
    followSize();
}

void WindowView::restoreFocus() {
    const tk::Control* focused = window_.focused();
    HWND target = focused != nullptr ? hwndOf(*focused) : nullptr;
    SetFocus(target != nullptr ? target : hwnd_);
}

// Tooltips show only when the pointer rests on a control: they are set up once the window has
// been painted, for every control built by then, and as they come for the others.
void WindowView::armTooltips() {
    registerTooltipClass();
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, static_cast<int>(dpi_), 96));
    for (const auto& [control, view] : views_) {
        if (view->hwnd() != nullptr && !control->tooltip().empty()) {
            setTooltip(view->hwnd(), platform::win32::wide(control->tooltip()));
        }
    }
}

void WindowView::setTooltip(HWND control, const std::wstring& text) {
    if (tooltip_ == nullptr) {
        return;  // registered when armed
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;  // the controls relay their mouse messages themselves
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    const auto known = std::find(tools_.begin(), tools_.end(), control);
    if (known == tools_.end()) {
        if (!text.empty()) {
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            tools_.push_back(control);
        }
    } else if (text.empty()) {
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        tools_.erase(known);
    } else {
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void WindowView::relayToTooltip(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (tooltip_ != nullptr) {
        MSG relayed{control, message, wParam, lParam, 0, {}};
        SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
}

// A window not shown yet is painted whole when it is shown.
void WindowView::repaint(const RECT& area) {
    if (!IsWindowVisible(hwnd_)) {
        return;
    }
    RedrawWindow(hwnd_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void WindowView::paintBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (ControlView* view : inOrder()) {
        if (view->hwnd() == nullptr && view->control().shown()) {
            view->paint(dc);
        }
    }
}

bool WindowView::childNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
        case WM_VSCROLL:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            break;
        default:
            return false;  // its lParam is no control
    }
    ControlView* view = lParam != 0 ? viewOf(reinterpret_cast<HWND>(lParam)) : nullptr;
    if (view == nullptr) {
        return false;
    }
    switch (message) {
        case WM_COMMAND:
            view->command(HIWORD(wParam));
            result = 0;
            return true;
        case WM_VSCROLL:
            view->scrolled(LOWORD(wParam));
            result = 0;
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            if (HBRUSH brush = view->colors(reinterpret_cast<HDC>(wParam))) {
                result = reinterpret_cast<LRESULT>(brush);
                return true;
            }
            return false;
        default:
            return false;
    }
}

LRESULT CALLBACK WindowView::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<WindowView*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<WindowView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (childNotification(message, wParam, lParam, result)) {
        return result;
    }
    return self->handle(message, wParam, lParam);
}

LRESULT WindowView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                break;
            }
            restoreFocus();
            PostMessageW(hwnd_, ActivatedMessage, 0, 0);
            return 0;
        case ActivatedMessage:
            frontEnd_.user([this] { window_.activatedByUser(); });
            return 0;
        case WM_CLOSE:
            // The close box asks the program; it decides whether the window goes.
            frontEnd_.user([this] { window_.closedByUser(); });
            return 0;
        case WM_SIZE: {
            const tk::PixelSize client{LOWORD(lParam), HIWORD(lParam)};
            const tk::FrameKind kind = window_.frameKind();
            if (frontEnd_.mirroring() || wParam == SIZE_MINIMIZED ||
                kind != tk::FrameKind::Sizable || !IsWindowVisible(hwnd_) ||
                client == tk::clientPixels(kind, window_.width(), window_.height(), dpi_)) {
                break;
            }
            const auto [width, height] = tk::outerTwips(kind, client, dpi_);
            frontEnd_.user([this, width, height] { window_.resizedByUser(width, height); });
            return 0;
        }
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            frontEnd_.mirror([&] {
                SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                rescale(HIWORD(wParam));
            });
            return 0;
        }
        case WM_GETMINMAXINFO:
            // The system keeps the user's drag above the smallest size, so the window never
            // shows a size the program would undo.
            if (window_.frameKind() == tk::FrameKind::Sizable && window_.minimumWidth() > 0) {
                reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize =
                    outerPixels(tk::clientPixels(window_.frameKind(), window_.minimumWidth(),
                                                 window_.minimumHeight(), dpi_));
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            paintBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT: {
            const LRESULT result = DefWindowProcW(hwnd_, message, wParam, lParam);
            if (!firstPaintPosted_) {
                firstPaintPosted_ = true;
                PostMessageW(hwnd_, FirstPaintedMessage, 0, 0);
            }
            if (frontEnd_.onPainted) {
                frontEnd_.onPainted(window_);
            }
            return result;
        }
        case FirstPaintedMessage:
            armTooltips();
            frontEnd_.user([this] { window_.paintedFirstTime(); });
            return 0;
        default:
            // Keys reach the window itself only while no control has the focus.
            if (routeKey(*this, nullptr, message, wParam)) {
                return 0;
            }
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace gui::win32
