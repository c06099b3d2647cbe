#include "panel/dpi_win.h"

#include <string>

namespace quillow::dpi {
namespace {

// Declared here rather than taken from the SDK's headers, which hide them when the build
// targets an older Windows.
constexpr int kMdtEffectiveDpi = 0;  // MONITOR_DPI_TYPE: the density the user chose
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int type, UINT* dpiX, UINT* dpiY);

// shcore.dll comes with Windows 8.1. It is loaded by its full path in the system folder, so
// that no other copy is picked up, and kept for the life of the process.
GetDpiForMonitorFn FindGetDpiForMonitor() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const HMODULE shcore = LoadLibraryW((std::wstring(folder, length) + L"\\shcore.dll").c_str());
    if (shcore == nullptr) return nullptr;
    // Through void(*)() so the compiler accepts the change of signature.
    return reinterpret_cast<GetDpiForMonitorFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(shcore, "GetDpiForMonitor")));
}

// Looked up once, at start-up: a function's static would be initialised under a lock, which
// newer MinGW-w64 run-times build on Windows' condition variables, and XP has none.
const GetDpiForMonitorFn getDpiForMonitor = FindGetDpiForMonitor();

}  // namespace

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int MonitorDpi(const RECT& rect) {
    if (getDpiForMonitor != nullptr) {
        UINT dpiX = 0, dpiY = 0;
        HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY);
        if (SUCCEEDED(getDpiForMonitor(monitor, kMdtEffectiveDpi, &dpiX, &dpiY)) && dpiY > 0) {
            return static_cast<int>(dpiY);
        }
    }
    return ScreenDpi();
}

}  // namespace quillow::dpi
