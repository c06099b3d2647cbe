#include "demo/tour_windows.h"

#include <stdexcept>

#include "panel/layout.h"
#include "driver/clock.h"
#include "driver/controls.h"

namespace quillow::demo {
namespace {

constexpr wchar_t kPanelClass[] = L"QuillowPanel";
constexpr wchar_t kClientClass[] = L"AOL Frame25";

HWND FindVisible(const wchar_t* className) {
    const HWND window = driver::FindTopLevelWindow(className);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitForVisible(const wchar_t* className, const std::string& what,
                    std::chrono::milliseconds timeout) {
    HWND window = nullptr;
    driver::WaitUntil([&] { return (window = FindVisible(className)) != nullptr; }, timeout);
    if (window == nullptr) {
        throw std::runtime_error(what + " did not show its window within " +
                                 std::to_string(timeout.count() / 1000) + " s");
    }
    return window;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) throw std::runtime_error("a window went away");
    return rect;
}

}  // namespace

HWND WaitForPanel(std::chrono::milliseconds timeout) {
    return WaitForVisible(kPanelClass, "Quillow", timeout);
}

HWND WaitForClient(std::chrono::milliseconds timeout) {
    return WaitForVisible(kClientClass, "the stand-in client", timeout);
}

HWND FindPanel() { return FindVisible(kPanelClass); }

HWND FindClient() { return FindVisible(kClientClass); }

void MoveWindowTo(HWND window, int x, int y) {
    if (!SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
        throw std::runtime_error("could not move the panel's window");
    }
    const bool moved = driver::WaitUntil(
        [&] {
            const RECT rect = WindowRect(window);
            return rect.left == x && rect.top == y;
        },
        std::chrono::seconds(5));
    if (!moved) throw std::runtime_error("the panel's window did not move");
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CheckPanelDensity(HWND panel, int dpi) {
    RECT client{};
    GetClientRect(panel, &client);
    const auto [width, height] = layout::ClientSize(dpi);
    if (client.right != width || client.bottom != height) {
        throw std::runtime_error(
            "at " + std::to_string(dpi) + " dpi the panel's client area should be " +
            std::to_string(width) + " x " + std::to_string(height) + " pixels, not " +
            std::to_string(client.right) + " x " + std::to_string(client.bottom));
    }
}

std::string ScreenGeometry(HWND window) {
    const RECT rect = WindowRect(window);
    return std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top) +
           "+" + std::to_string(rect.left) + "+" + std::to_string(rect.top);
}

void CloseAndWait(HWND window, const std::string& what, std::chrono::milliseconds timeout) {
    driver::PostClose(window);
    if (!driver::WaitUntil([&] { return !IsWindow(window); }, timeout)) {
        throw std::runtime_error(what + " did not close within " +
                                 std::to_string(timeout.count() / 1000) + " s");
    }
}

}  // namespace quillow::demo
