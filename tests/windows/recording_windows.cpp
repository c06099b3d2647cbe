#include "tests/windows/recording_windows.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quillow::windows_test {
namespace {

constexpr UINT kRunJob = WM_APP + 1;
constexpr UINT kStall = WM_APP + 2;
constexpr char kControlClass[] = "Quillow Contract Control";
// Jobs for the windows' thread are quick; this only keeps a broken case from hanging the run.
constexpr UINT kJobTimeoutMs = 10000;

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}

WindowHandle ToHandle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(window));
}

// Converted here rather than with the program's own helpers, so that a fault in those cannot
// cancel itself out between making a window and looking it up.
std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(
        static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// ANSI classes, like the client's: their windows get WM_SETTEXT texts as ANSI bytes.
void RegisterClassOnce(const std::string& name, WNDPROC procedure) {
    static std::mutex mutex;
    static std::set<std::string> registered;
    const std::lock_guard lock(mutex);
    if (registered.contains(name)) return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name.c_str();
    if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ADD_FAILURE() << "RegisterClassA(\"" << name << "\") failed: " << GetLastError();
        return;
    }
    registered.insert(name);
}

// The messages the program sends to the client; a window gets many others besides.
bool IsRecorded(UINT message) {
    switch (message) {
        case WM_SETTEXT:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_LBUTTONDOWN: return true;
        default: return false;
    }
}

}  // namespace

RecordingWindows::RecordingWindows()
    : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      stalled_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      resume_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    RegisterClassOnce(kControlClass, ControlProc);
    thread_ = std::thread([this] { RunWindowThread(); });
    if (WaitForSingleObject(ready_, kJobTimeoutMs) != WAIT_OBJECT_0 || control_ == nullptr) {
        ADD_FAILURE() << "the windows' thread did not start";
    }
}

RecordingWindows::~RecordingWindows() {
    SetEvent(resume_);
    bool ended = false;
    if (control_ != nullptr) {
        ended = OnWindowThread([this] {
            for (HWND window : topLevel_) DestroyWindow(window);
            DestroyWindow(control_);
            PostQuitMessage(0);
        });
    }
    if (ended || control_ == nullptr) {
        thread_.join();
    } else {
        thread_.detach();  // stuck: leave it rather than hang the whole program
    }
    CloseHandle(ready_);
    CloseHandle(stalled_);
    CloseHandle(resume_);
}

void RecordingWindows::RunWindowThread() {
    control_ = CreateWindowExA(0, kControlClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), this);
    SetEvent(ready_);
    if (control_ == nullptr) return;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
}

bool RecordingWindows::OnWindowThread(const std::function<void()>& job) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(control_, kRunJob, 0, reinterpret_cast<LPARAM>(&job), SMTO_NORMAL,
                            kJobTimeoutMs, &result) == 0) {
        ADD_FAILURE() << "the windows' thread did not run a job within " << kJobTimeoutMs << " ms";
        return false;
    }
    return true;
}

LRESULT CALLBACK RecordingWindows::ControlProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == kRunJob) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    if (message == kStall) {
        // Neither reads the queue nor answers sent messages until told to go on.
        auto* self = reinterpret_cast<RecordingWindows*>(lParam);
        SetEvent(self->stalled_);
        WaitForSingleObject(self->resume_, INFINITE);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK RecordingWindows::RecordingProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<RecordingWindows*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && IsRecorded(message)) {
        contract::SeenMessage seen{static_cast<Message>(message), wParam, lParam, {}};
        if (message == WM_SETTEXT) {
            seen.lParam = 0;
            if (lParam != 0) seen.bytes = reinterpret_cast<const char*>(lParam);
        }
        const std::lock_guard lock(self->mutex_);
        self->records_.push_back({window, std::move(seen)});
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

WindowHandle RecordingWindows::Create(WindowHandle parent, std::string_view className,
                                      std::optional<std::string_view> title) {
    RegisterClassOnce(std::string(className), RecordingProc);
    HWND made = nullptr;
    OnWindowThread([&] {
        const std::wstring wideTitle = title ? Wide(*title) : std::wstring();
        made = CreateWindowExW(0, Wide(className).c_str(), title ? wideTitle.c_str() : nullptr,
                               parent == 0 ? WS_OVERLAPPEDWINDOW : WS_CHILD, 0, 0, 200, 100,
                               ToHwnd(parent), nullptr, GetModuleHandleW(nullptr), this);
        if (made != nullptr && parent == 0) topLevel_.push_back(made);
    });
    EXPECT_NE(made, nullptr) << "could not create a window of class \"" << className << "\"";
    return ToHandle(made);
}

void RecordingWindows::Destroy(WindowHandle window) {
    OnWindowThread([&] { DestroyWindow(ToHwnd(window)); });
}

// Stalls the windows' thread, and so every window made here, for the rest of the case.
bool RecordingWindows::MakeUnresponsive(WindowHandle) {
    PostMessageA(control_, kStall, 0, reinterpret_cast<LPARAM>(this));
    return WaitForSingleObject(stalled_, kJobTimeoutMs) == WAIT_OBJECT_0;
}

std::vector<contract::SeenMessage> RecordingWindows::ReceivedBy(WindowHandle window) {
    const std::lock_guard lock(mutex_);
    std::vector<contract::SeenMessage> seen;
    for (const Record& record : records_) {
        if (record.window == ToHwnd(window)) seen.push_back(record.seen);
    }
    return seen;
}

std::vector<contract::SeenMessage> RecordingWindows::ReceivedByAny() {
    const std::lock_guard lock(mutex_);
    std::vector<contract::SeenMessage> seen;
    for (const Record& record : records_) seen.push_back(record.seen);
    return seen;
}

}  // namespace quillow::windows_test
