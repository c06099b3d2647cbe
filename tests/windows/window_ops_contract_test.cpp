// The window-operations contract, kept by the real windowing services: Win32WindowOps against
// windows that this program makes itself.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "automation/window_ops_win.h"
#include "tests/contract/window_ops_contract.h"

namespace quillow::contract {
namespace {

constexpr UINT kRunJob = WM_APP + 1;
constexpr UINT kStall = WM_APP + 2;
constexpr char kControlClass[] = "Quillow Contract Control";
// Jobs for the windows' thread are quick; this only keeps a broken case from hanging the run.
constexpr UINT kJobTimeoutMs = 10000;

HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
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
void RegisterAnsiClass(const std::string& name, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name.c_str();
    if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ADD_FAILURE() << "RegisterClassA(\"" << name << "\") failed: " << GetLastError();
    }
}

// Real windows made in this process, on a thread of their own (so that messages cross threads
// as they cross into the client, and time-outs apply), under window classes registered at run
// time with the client's names. Each window records the messages of the kinds the program
// sends.
class RecordingWindows final : public ContractWindows {
public:
    // Short, so that the unresponsive case is quick; still far above a healthy answer.
    static constexpr unsigned kReplyTimeoutMs = 300;

    RecordingWindows() {
        InitializeCriticalSection(&lock_);
        RegisterAnsiClass(kControlClass, WindowProc);
        // A Win32 thread: the C++ library of the XP-compatible toolchain has no std::thread.
        thread_ = CreateThread(nullptr, 0, WindowThread, this, 0, nullptr);
        if (thread_ == nullptr || WaitForSingleObject(ready_, kJobTimeoutMs) != WAIT_OBJECT_0 ||
            control_ == nullptr) {
            ADD_FAILURE() << "the windows' thread did not start";
        }
    }

    ~RecordingWindows() override {
        SetEvent(resume_);
        // The thread's windows go with it; a stuck thread is left rather than hang the run.
        if (thread_ != nullptr &&
            (control_ == nullptr || OnWindowThread([] { PostQuitMessage(0); }))) {
            WaitForSingleObject(thread_, INFINITE);
        }
        for (HANDLE handle : {thread_, ready_, stalled_, resume_}) {
            if (handle != nullptr) CloseHandle(handle);
        }
        DeleteCriticalSection(&lock_);
    }

    RecordingWindows(const RecordingWindows&) = delete;
    RecordingWindows& operator=(const RecordingWindows&) = delete;

    WindowOps& Ops() override { return ops_; }

    WindowHandle Create(WindowHandle parent, std::string_view className,
                        std::optional<std::string_view> title) override {
        RegisterAnsiClass(std::string(className), WindowProc);
        HWND made = nullptr;
        OnWindowThread([&] {
            const std::wstring wideTitle = title ? Wide(*title) : std::wstring();
            made = CreateWindowExW(0, Wide(className).c_str(), title ? wideTitle.c_str() : nullptr,
                                   parent == 0 ? WS_OVERLAPPEDWINDOW : WS_CHILD, 0, 0, 200, 100,
                                   ToHwnd(parent), nullptr, GetModuleHandleW(nullptr), this);
        });
        EXPECT_NE(made, nullptr) << "could not create a window of class \"" << className << "\"";
        return static_cast<WindowHandle>(reinterpret_cast<std::intptr_t>(made));
    }

    void Destroy(WindowHandle window) override {
        OnWindowThread([&] { DestroyWindow(ToHwnd(window)); });
    }

    // Stalls the windows' thread, and so every window made here, for the rest of the case.
    bool MakeUnresponsive(WindowHandle) override {
        PostMessageA(control_, kStall, 0, 0);
        return WaitForSingleObject(stalled_, kJobTimeoutMs) == WAIT_OBJECT_0;
    }

    std::chrono::milliseconds ReplyTimeout() const override {
        return std::chrono::milliseconds(kReplyTimeoutMs);
    }

    std::vector<SeenMessage> ReceivedBy(WindowHandle window) override {
        std::vector<SeenMessage> seen;
        EnterCriticalSection(&lock_);
        for (const auto& [to, message] : records_) {
            if (window == 0 || to == ToHwnd(window)) seen.push_back(message);
        }
        LeaveCriticalSection(&lock_);
        return seen;
    }

private:
    static DWORD WINAPI WindowThread(void* parameter) {
        auto* self = static_cast<RecordingWindows*>(parameter);
        self->control_ = CreateWindowExA(0, kControlClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                         nullptr, GetModuleHandleA(nullptr), self);
        SetEvent(self->ready_);
        MSG message;
        while (self->control_ != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0) {
            DispatchMessageA(&message);
        }
        return 0;
    }

    // Runs jobs on, and stalls, the windows' thread for the control window; records, for every
    // window, the messages the program sends to the client (a window gets many others besides).
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<RecordingWindows*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == kRunJob) {
            (*reinterpret_cast<const std::function<void()>*>(lParam))();
            return 0;
        }
        if (message == kStall) {
            // Neither reads the queue nor answers sent messages until told to go on.
            SetEvent(self->stalled_);
            WaitForSingleObject(self->resume_, INFINITE);
            return 0;
        }
        if (self != nullptr && (message == WM_SETTEXT || message == WM_KEYUP ||
                                message == WM_CHAR || message == WM_LBUTTONDOWN)) {
            SeenMessage seen{static_cast<Message>(message), wParam, lParam, {}};
            if (message == WM_SETTEXT) {
                seen.lParam = 0;
                if (lParam != 0) seen.bytes = reinterpret_cast<const char*>(lParam);
            }
            EnterCriticalSection(&self->lock_);
            self->records_.emplace_back(window, std::move(seen));
            LeaveCriticalSection(&self->lock_);
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    // Runs `job` on the windows' thread and waits for it (bounded).
    bool OnWindowThread(const std::function<void()>& job) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutA(control_, kRunJob, 0, reinterpret_cast<LPARAM>(&job), SMTO_NORMAL,
                                kJobTimeoutMs, &result) == 0) {
            ADD_FAILURE() << "the windows' thread did not run a job within " << kJobTimeoutMs
                          << " ms";
            return false;
        }
        return true;
    }

    Win32WindowOps ops_{kReplyTimeoutMs};
    CRITICAL_SECTION lock_;  // over records_: written on the windows' thread, read on the test's
    std::vector<std::pair<HWND, SeenMessage>> records_;
    HANDLE ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE stalled_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE resume_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND control_ = nullptr;  // a message-only window that runs jobs on the windows' thread
    HANDLE thread_ = nullptr;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowOpsContract, RecordingWindows);

}  // namespace quillow::contract
