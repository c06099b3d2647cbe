#include "standin/document.h"

#include "automation/client_windows.h"
#include "standin/message_scope.h"
#include "standin/theme.h"

namespace standin {
namespace {

Document* DocumentOf(HWND window) {
    return reinterpret_cast<Document*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

void Document::RegisterClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = quillow::client::kDocument.data();
    RegisterClassExA(&wc);
}

void Document::CreateFrame(HWND area, const char* title, const RECT& rect) {
    window_ = CreateWindowExA(WS_EX_MDICHILD, quillow::client::kDocument.data(), title,
                              WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, area, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetRole(window_, role_);
}

void Document::Show() {
    RECT client{};
    GetClientRect(window_, &client);
    Layout(client.right, client.bottom);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
}

HWND Document::CreateControl(const char* className, const char* text, DWORD style, DWORD exStyle,
                             int id, const RECT& rect, std::string_view part) {
    const HWND control = CreateWindowExA(
        exStyle, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(theme::GetFonts().ui), FALSE);
    SetRole(control, role_ + "." + std::string(part));
    return control;
}

void Document::Paint(HDC dc, const RECT& client) { theme::FillSolid(dc, client, theme::kDocument); }

LRESULT Document::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Handle(message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_PAINT: {
            theme::BufferedPaint paint(window_);
            Paint(paint.Dc(), paint.Client());
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            SetTextColor(reinterpret_cast<HDC>(wParam), theme::kCaption);
            return reinterpret_cast<LRESULT>(theme::DocumentBrush());
        case WM_SIZE: Layout(LOWORD(lParam), HIWORD(lParam)); break;
        case WM_MDIACTIVATE: events_.DocumentOrderTouched(); break;
        case WM_WINDOWPOSCHANGED:
            if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER)) {
                events_.DocumentOrderTouched();
            }
            break;
        default: break;
    }
    return DefMDIChildProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK Document::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    Document* document = DocumentOf(window);
    if (document == nullptr) return DefMDIChildProcA(window, message, wParam, lParam);
    if (message != WM_NCDESTROY) return document->Dispatch(message, wParam, lParam);

    const LRESULT result = DefMDIChildProcA(window, message, wParam, lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    document->events_.DocumentGone(*document);  // deletes the document
    return result;
}

}  // namespace standin
