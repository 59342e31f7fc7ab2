// windows.h first: aclapi.h and sddl.h build on its definitions.
#define NOMINMAX
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <chrono>
#include <functional>
#include <map>
#include <thread>
#include <vector>

#include "platform/file_ownership_win32.h"
#include "platform/single_instance.h"
#include "platform/win32_text.h"

namespace platform {

struct SingleInstance::Claim {
    bool first = true;
    HANDLE mutex = nullptr;
    UINT_PTR windowTimer = 0;
    HWND window = nullptr;
};

namespace {

constexpr wchar_t RequestClass[] = L"OpalistInstance";
constexpr UINT ComeToFront = WM_APP;
// How long a later start tries to reach the holder: its window follows its mutex as soon as the
// holder's message loop is idle.
constexpr auto AnswerTime = std::chrono::seconds(3);
constexpr auto RetryPause = std::chrono::milliseconds(20);

PSID sidIn(std::vector<BYTE>& buffer, TOKEN_INFORMATION_CLASS kind) {
    if (buffer.empty()) {
        return nullptr;
    }
    return kind == TokenUser ? reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid
                             : reinterpret_cast<TOKEN_OWNER*>(buffer.data())->Owner;
}

struct Account {
    std::vector<BYTE> userBuffer = win32::processTokenInformation(TokenUser);
    std::vector<BYTE> ownerBuffer = win32::processTokenInformation(TokenOwner);
    PSID user = sidIn(userBuffer, TokenUser);
    // The owner the system gives what this process makes: the user, or the Administrators
    // group for an elevated start.
    PSID owner = sidIn(ownerBuffer, TokenOwner);
};

std::wstring sidText(PSID sid) {
    wchar_t* text = nullptr;
    if (sid == nullptr || !ConvertSidToStringSidW(sid, &text)) {
        return L"unknown";
    }
    std::wstring result(text);
    LocalFree(text);
    return result;
}

// The user's alone: the user owns it, and nobody else may open it.
struct PrivateObject {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};

    explicit PrivateObject(const std::wstring& user) {
        const std::wstring text = L"O:" + user + L"D:P(A;;GA;;;" + user + L")";
        if (ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1,
                                                                 &descriptor, nullptr)) {
            attributes.lpSecurityDescriptor = descriptor;
        }
    }
    ~PrivateObject() { LocalFree(descriptor); }
    PrivateObject(const PrivateObject&) = delete;
    PrivateObject& operator=(const PrivateObject&) = delete;
};

// Whether a start of this user's made the named object: another account may have made one of
// the same name first, to keep the user's Opalist from starting.
bool madeByUser(HANDLE object, const Account& account) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(object, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const bool made =
        owner != nullptr && ((account.user != nullptr && EqualSid(owner, account.user)) ||
                             (account.owner != nullptr && EqualSid(owner, account.owner)));
    LocalFree(descriptor);
    return made;
}

LRESULT CALLBACK requestProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == ComeToFront) {
        auto* instance = reinterpret_cast<SingleInstance*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (instance != nullptr && instance->onRequest) {
            instance->onRequest();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A window of no screen that the holder's message loops dispatch, found by its name.
HWND requestWindow(const std::wstring& name, SingleInstance* instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = requestProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = RequestClass;
    RegisterClassExW(&windowClass);
    return CreateWindowExW(0, RequestClass, name.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), instance);
}

// The request windows that wait for their thread's first idle moment, by timer.
std::map<UINT_PTR, std::function<void()>>& waitingWindows() {
    static std::map<UINT_PTR, std::function<void()>> waiting;
    return waiting;
}

void CALLBACK makeWaitingWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const auto waiting = waitingWindows().find(timer);
    if (waiting != waitingWindows().end()) {
        const std::function<void()> make = std::move(waiting->second);
        waitingWindows().erase(waiting);
        make();
    }
}

// The holder may take the foreground: this start has it, being the one the user just made.
bool askHolder(const std::wstring& name) {
    const HWND holder = FindWindowExW(HWND_MESSAGE, nullptr, RequestClass, name.c_str());
    if (holder == nullptr) {
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(holder, &process);
    AllowSetForegroundWindow(process);
    return PostMessageW(holder, ComeToFront, 0, 0) != 0;
}

}  // namespace

SingleInstance::SingleInstance(std::string_view user, std::string_view settingsPath)
    : claim_(std::make_unique<Claim>()) {
    std::wstring path = win32::wide(settingsPath);
    CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
    const Account account;
    const std::wstring sid = sidText(account.user);
    PrivateObject security(sid);
    const std::wstring name =
        L"Opalist-" + sid + L"-" + win32::wide(instanceKey(user, win32::utf8(path)));
    const std::wstring mutexName = L"Local\\" + name;
    const auto deadline = std::chrono::steady_clock::now() + AnswerTime;
    for (;;) {
        const HANDLE mutex = CreateMutexW(&security.attributes, FALSE, mutexName.c_str());
        if (mutex == nullptr) {
            return;  // another account's object, closed to the user: unguarded
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            claim_->mutex = mutex;
            // A timer's message comes after every other one, the first paint of the main window
            // included: making the window then keeps its cost off the start. A later start
            // asking before keeps trying for AnswerTime.
            claim_->windowTimer = SetTimer(nullptr, 0, 0, makeWaitingWindow);
            if (claim_->windowTimer != 0) {
                waitingWindows()[claim_->windowTimer] = [this, name] {
                    claim_->windowTimer = 0;
                    claim_->window = requestWindow(name, this);
                };
            } else {
                claim_->window = requestWindow(name, this);
            }
            return;
        }
        const bool ours = madeByUser(mutex, account);
        // The holder goes on only while a handle is open: this one must not keep it alive.
        CloseHandle(mutex);
        if (!ours) {
            return;
        }
        // A holder that does not answer in time is running all the same: this start gives way.
        if (askHolder(name) || std::chrono::steady_clock::now() >= deadline) {
            claim_->first = false;
            return;
        }
        std::this_thread::sleep_for(RetryPause);
    }
}

SingleInstance::~SingleInstance() {
    if (claim_->windowTimer != 0) {
        KillTimer(nullptr, claim_->windowTimer);
        waitingWindows().erase(claim_->windowTimer);
    }
    if (claim_->window != nullptr) {
        DestroyWindow(claim_->window);
    }
    if (claim_->mutex != nullptr) {
        CloseHandle(claim_->mutex);
    }
}

bool SingleInstance::first() const {
    return claim_->first;
}

int SingleInstance::requestDescriptor() const {
    return -1;
}

// Each request is answered as its message is dispatched: none waits here.
void SingleInstance::answerRequests() {}

}  // namespace platform
