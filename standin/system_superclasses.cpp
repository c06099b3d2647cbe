#include "standin/system_superclasses.h"

#include <cstdio>
#include <string>

#include "automation/client_windows.h"
#include "standin/message_scope.h"
#include "standin/private_messages.h"

namespace standin {
namespace {

constexpr char kHangProperty[] = "QuillowStandIn.Hang";
constexpr DWORD kHangMs = 60000;

WNDPROC g_editProc = nullptr;
WNDPROC g_comboProc = nullptr;
WNDPROC g_staticProc = nullptr;

void Hang() {
    const HANDLE release = CreateEventA(nullptr, TRUE, FALSE, HangReleaseEventName());
    WaitForSingleObject(release, kHangMs);
    CloseHandle(release);
}

// Both edit-box classes: Enter is offered to the parent first.
LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    if (message == WM_SETTEXT && scope.FromOutside() && GetPropA(window, kHangProperty)) Hang();
    if (message == WM_NCDESTROY) RemovePropA(window, kHangProperty);
    if (message == WM_CHAR && wParam == VK_RETURN &&
        SendMessageA(GetParent(window), kEnterInBox, 0, reinterpret_cast<LPARAM>(window)) != 0) {
        return 0;
    }
    return CallWindowProcA(g_editProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ComboProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    return CallWindowProcA(g_comboProc, window, message, wParam, lParam);
}

LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    return CallWindowProcA(g_staticProc, window, message, wParam, lParam);
}

WNDPROC Superclass(HINSTANCE instance, const char* system, std::string_view name, WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(nullptr, system, &wc)) return nullptr;
    const WNDPROC base = wc.lpfnWndProc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.style &= ~CS_GLOBALCLASS;
    wc.lpszClassName = name.data();
    RegisterClassExA(&wc);
    return base;
}

}  // namespace

void RegisterSystemSuperclasses(HINSTANCE instance) {
    using namespace quillow::client;
    g_editProc = Superclass(instance, "EDIT", kRichInput, BoxProc);
    Superclass(instance, "EDIT", kEdit, BoxProc);
    g_comboProc = Superclass(instance, "COMBOBOX", kComboBox, ComboProc);
    g_staticProc = Superclass(instance, "STATIC", kLabel, StaticProc);
}

void MakeBoxHangOnOutsideText(HWND box) {
    SetPropA(box, kHangProperty, reinterpret_cast<HANDLE>(1));
}

const char* HangReleaseEventName() {
    static const std::string name = [] {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "Local\\QuillowStandIn.Release.%lu",
                      GetCurrentProcessId());
        return std::string(buffer);
    }();
    return name.c_str();
}

}  // namespace standin
