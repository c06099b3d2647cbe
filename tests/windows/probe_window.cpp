// A small window for testing the end-to-end driver on: a number box, a Done button and a note
// box, with Tab moving between them. Done ends the program with the number as its exit code;
// the title shows the arguments the program was given, each in brackets.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

constexpr int kNumberBox = 101;
constexpr int kDoneButton = 102;
constexpr int kNoteBox = 103;

void AddControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                int top) {
    CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, top, 200,
                    24, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                    GetModuleHandleW(nullptr), nullptr);
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            AddControl(window, L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, kNumberBox, 10);
            AddControl(window, L"BUTTON", L"Done", BS_PUSHBUTTON, kDoneButton, 40);
            AddControl(window, L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, kNoteBox, 70);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kDoneButton && HIWORD(wParam) == BN_CLICKED) {
                wchar_t number[32] = {};
                GetDlgItemTextW(window, kNumberBox, number, 32);
                PostQuitMessage(static_cast<int>(std::wcstol(number, nullptr, 10)));
            }
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

std::wstring ArgumentsInBrackets() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring shown;
    for (int i = 1; i < count; ++i) shown += L"[" + std::wstring(arguments[i]) + L"]";
    LocalFree(arguments);
    return shown;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Quillow Probe";
    RegisterClassW(&windowClass);
    const HWND window =
        CreateWindowExW(0, L"Quillow Probe", ArgumentsInBrackets().c_str(), WS_OVERLAPPEDWINDOW, 40,
                        40, 240, 150, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 2;
    ShowWindow(window, SW_SHOW);
    SetFocus(GetDlgItem(window, kNumberBox));

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
