#include "demo/instant_message_draft.h"

#include <chrono>
#include <stdexcept>

#include "driver/controls.h"

namespace quillow::demo {
namespace {

constexpr int kNewMessageIcon = 4;  // the toolbar's fifth icon, counted from 0
constexpr std::chrono::seconds kOpenTimeout{10};

HWND Child(HWND parent, const wchar_t* className, int index = 0) {
    const HWND child = parent != nullptr ? driver::FindChild(parent, className, index) : nullptr;
    if (child == nullptr) {
        throw std::runtime_error("the client's window tree has no " +
                                 std::string(className, className + wcslen(className)));
    }
    return child;
}

// The client's icons take a button-down followed by Space released as a press.
void PressIcon(HWND icon) {
    DWORD_PTR result = 0;
    const auto ms = static_cast<UINT>(driver::kAnswerTimeout.count());
    if (!SendMessageTimeoutW(icon, WM_LBUTTONDOWN, 0, 0, SMTO_ABORTIFHUNG, ms, &result) ||
        !SendMessageTimeoutW(icon, WM_KEYUP, VK_SPACE, 0, SMTO_ABORTIFHUNG, ms, &result)) {
        throw std::runtime_error("the client did not answer the press of an icon");
    }
}

// The newest instant-message window: the client keeps them first among its documents.
HWND NewestInstantMessageWindow(HWND client) {
    const HWND area = Child(client, L"MDIClient");
    return FindWindowExW(area, nullptr, L"AOL Child", L"Send Instant Message");
}

void TypeInto(HWND box, const std::wstring& text) {
    if (!driver::SetText(box, text) || driver::ReadText(box) != text) {
        throw std::runtime_error("the instant-message window did not take its text");
    }
}

}  // namespace

void WriteInstantMessage(HWND client, driver::RecordFile& record, const std::wstring& recipient,
                         const std::wstring& message) {
    const size_t opened = record.Events("imopen").size();
    PressIcon(Child(Child(Child(client, L"AOL Toolbar"), L"_AOL_Toolbar"), L"_AOL_Icon",
                    kNewMessageIcon));
    if (record.WaitForEvents("imopen", opened + 1, kOpenTimeout).size() <= opened) {
        throw std::runtime_error("the client opened no instant-message window");
    }
    const HWND window = NewestInstantMessageWindow(client);
    TypeInto(Child(window, L"_AOL_Edit"), recipient);
    TypeInto(Child(window, L"RICHCNTL"), message);
}

}  // namespace quillow::demo
