// Real windows for the window-operations contract: made in this process, on a thread of their
// own (so that messages cross threads as they cross into the client, and time-outs apply),
// under window classes registered at run time with the client's names. Each window records the
// messages of the kinds the program sends.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "automation/window_ops_win.h"
#include "tests/contract/window_ops_contract.h"

namespace quillow::windows_test {

class RecordingWindows final : public contract::ContractWindows {
public:
    // Short, so that the unresponsive case is quick; still far above a healthy answer.
    static constexpr unsigned kReplyTimeoutMs = 300;

    RecordingWindows();
    ~RecordingWindows() override;
    RecordingWindows(const RecordingWindows&) = delete;
    RecordingWindows& operator=(const RecordingWindows&) = delete;

    WindowOps& Ops() override { return ops_; }
    WindowHandle Create(WindowHandle parent, std::string_view className,
                        std::optional<std::string_view> title) override;
    void Destroy(WindowHandle window) override;
    bool MakeUnresponsive(WindowHandle window) override;
    std::chrono::milliseconds ReplyTimeout() const override {
        return std::chrono::milliseconds(kReplyTimeoutMs);
    }
    std::vector<contract::SeenMessage> ReceivedBy(WindowHandle window) override;
    std::vector<contract::SeenMessage> ReceivedByAny() override;

private:
    struct Record {
        HWND window;
        contract::SeenMessage seen;
    };

    static LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RunWindowThread();
    // Runs `job` on the windows' thread and waits for it (bounded).
    bool OnWindowThread(const std::function<void()>& job);

    Win32WindowOps ops_{kReplyTimeoutMs};
    std::mutex mutex_;
    std::vector<Record> records_;
    std::vector<HWND> topLevel_;  // touched on the windows' thread only
    HANDLE ready_ = nullptr;
    HANDLE stalled_ = nullptr;
    HANDLE resume_ = nullptr;
    HWND control_ = nullptr;  // a message-only window that runs jobs on the windows' thread
    std::thread thread_;
};

}  // namespace quillow::windows_test
