#include "panel/panel_window_win.h"

#include <windowsx.h>

#include "automation/ansi_text.h"
#include "panel/dpi_win.h"

namespace quillow {
namespace {

// A fixed frame: a caption with the system menu, minimize and close, and no sizing border or
// maximize box, since the layout does not follow the window's size. Children are clipped so
// the picture is painted around the controls, never under them.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

// Arial at the layout's size for `dpi`.
Font MakeFont(int dpi) {
    return Font(CreateFontW(-layout::FontPixels(dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, Utf8ToWide(layout::kFontFace).c_str()));
}

// The panel's client area at `dpi`, its top-left corner at `origin` on the screen.
RECT ClientOnScreen(layout::PixelPoint origin, int dpi) {
    const layout::PixelSize size = layout::ClientSize(dpi);
    return {origin.x, origin.y, origin.x + size.width, origin.y + size.height};
}

bool RegisterPanelClass(HINSTANCE module, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = PanelWindow::kClassName;
    PanelIcons::ForClass(windowClass);
    // No background brush: the picture paints the whole client area.
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

PanelWindow::PanelWindow() : PanelWindow(ownClient_, [] { ExitProcess(0); }) {}

PanelWindow::PanelWindow(WindowOps& client, EndAction end)
    : end_(std::move(end)), commands_(client, loop_, *this) {}

PanelWindow::~PanelWindow() {
    if (hwnd_ == nullptr) return;
    destroyedByOwner_ = true;
    DestroyWindow(hwnd_);
}

bool PanelWindow::Create(HINSTANCE module) {
    if (!RegisterPanelClass(module, WindowProc)) return false;
    module_ = module;

    // The panel first goes where the layout places it on the primary screen, and is laid out
    // for the density of the monitor there. The manifest tells Windows not to scale the panel
    // a second time.
    const int screenDpi = dpi::ScreenDpi();
    const layout::PixelPoint origin = layout::ClientOriginOnScreen(screenDpi);
    dpi_ = dpi::MonitorDpi(ClientOnScreen(origin, screenDpi));
    font_ = MakeFont(dpi_);
    text1Background_.reset(CreateSolidBrush(layout::kText1Background));
    if (!font_ || !text1Background_) return false;

    RECT frame = ClientOnScreen(origin, dpi_);
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    CreateWindowExW(kExStyle, PanelWindow::kClassName, Utf8ToWide(layout::kCaption).c_str(), kStyle,
                    frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                    nullptr, nullptr, module, this);  // sets hwnd_ at WM_NCCREATE
    if (hwnd_ == nullptr) return false;
    FitClientArea();
    icons_.Set(hwnd_, module, dpi_);

    if (!CreateControls(module)) {
        destroyedByOwner_ = true;
        DestroyWindow(hwnd_);
        return false;
    }
    // Without its tooltips the panel still works, only says less.
    (void)tips_.Create(hwnd_, module, controls_, dpi_);
    focus_ = Control(layout::kStartId);
    loop_.SetPanel(hwnd_, Control(layout::kExitId), Control(layout::kText1Id));
    // Timer1 counts from the panel's creation, and nothing ever stops or re-times it.
    SetTimer(hwnd_, kTimer1Id, layout::kTimer1IntervalMs, nullptr);
    return true;
}

// Created in tab order, which also makes it the order Tab follows.
bool PanelWindow::CreateControls(HINSTANCE module) {
    for (const layout::Control& control : layout::InTabOrder()) {
        const bool button = control.kind == layout::ControlKind::Button;
        const layout::PixelRect rect = layout::ControlRect(control, dpi_);
        // Overlapping buttons clip each other, so their shared column never flickers between
        // the two; the one earlier in the tab order is on top.
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS |
                            (button ? BS_PUSHBUTTON : ES_LEFT | ES_AUTOHSCROLL);
        HWND window = CreateWindowExW(
            button ? 0 : WS_EX_CLIENTEDGE, button ? L"BUTTON" : L"EDIT",
            Utf8ToWide(control.text).c_str(), style, rect.left, rect.top, rect.width, rect.height,
            hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), module, nullptr);
        if (window == nullptr) return false;
        SetWindowFont(window, font_.get(), FALSE);
        for (size_t i = 0; i < layout::kControls.size(); ++i) {
            if (layout::kControls[i].id == control.id) controls_[i] = window;
        }
    }
    return true;
}

// Lays the panel out again for `dpi`: a new font on every control (the old one is deleted only
// once none uses it), and the controls moved and sized; the picture is painted anew when the
// panel is next drawn. The frame is the caller's.
void PanelWindow::LayOut(int dpi) {
    dpi_ = dpi;
    if (Font font = MakeFont(dpi)) {
        for (HWND control : controls_) SetWindowFont(control, font.get(), FALSE);
        font_ = std::move(font);
    }
    for (size_t i = 0; i < layout::kControls.size(); ++i) {
        const layout::PixelRect rect = layout::ControlRect(layout::kControls[i], dpi);
        SetWindowPos(controls_[i], nullptr, rect.left, rect.top, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// Makes the client area the layout's size at the panel's density, keeping the window's
// top-left corner: the frame's size is the system's to choose (it may follow the monitor's
// density, or not), and the picture and the controls need the client area exact.
void PanelWindow::FitClientArea() {
    RECT client, window;
    if (IsIconic(hwnd_) || !GetClientRect(hwnd_, &client) || !GetWindowRect(hwnd_, &window)) {
        return;
    }
    const layout::PixelSize wanted = layout::ClientSize(dpi_);
    const int wider = wanted.width - client.right;
    const int taller = wanted.height - client.bottom;
    if (wider == 0 && taller == 0) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + wider,
                 window.bottom - window.top + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PanelWindow::Show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    focus_ = Control(layout::kStartId);
    SetFocus(focus_);
}

HWND PanelWindow::Control(int id) const {
    for (size_t i = 0; i < layout::kControls.size(); ++i) {
        if (layout::kControls[i].id == id) return controls_[i];
    }
    return nullptr;
}

std::string PanelWindow::ReadReason() {
    HWND box = Control(layout::kText1Id);
    const int length = GetWindowTextLengthW(box);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(box, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return WideToUtf8(text);
}

void PanelWindow::EndProgram() {
    if (end_) end_();
}

LRESULT CALLBACK PanelWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* panel = static_cast<PanelWindow*>(created->lpCreateParams);
        panel->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(panel));
    }
    auto* panel = reinterpret_cast<PanelWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (panel == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        panel->hwnd_ = nullptr;
        panel->controls_ = {};
        panel->focus_ = nullptr;
        panel->loop_.SetPanel(nullptr, nullptr, nullptr);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return panel->HandleMessage(message, wParam, lParam);
}

LRESULT PanelWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_;
    switch (message) {
        HANDLE_MSG(hwnd, WM_PAINT, OnPaint);
        HANDLE_MSG(hwnd, WM_ERASEBKGND, OnEraseBkgnd);
        HANDLE_MSG(hwnd, WM_CTLCOLOREDIT, OnCtlColorEdit);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_TIMER, OnTimer);
        HANDLE_MSG(hwnd, WM_ACTIVATE, OnActivate);
        HANDLE_MSG(hwnd, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(hwnd, WM_CLOSE, OnClose);
        HANDLE_MSG(hwnd, WM_ENDSESSION, OnEndSession);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
        case WM_PRINTCLIENT: OnPrintClient(reinterpret_cast<HDC>(wParam)); return 0;
        case dpi::kWmDpiChanged:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// The picture is painted when it is first needed at a density, not when the panel is made: the
// greetings go out before the panel is first shown, and need not wait for it.
void PanelWindow::PaintContent(HDC dc, const RECT& area) {
    picture_.Prepare(dpi_);
    picture_.Paint(dc, area);
}

void PanelWindow::OnPaint(HWND hwnd) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (dc != nullptr) PaintContent(dc, paint.rcPaint);
    EndPaint(hwnd, &paint);
}

void PanelWindow::OnPrintClient(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    PaintContent(dc, client);
}

// WM_PAINT covers every pixel, so erasing first would only make the picture flicker.
BOOL PanelWindow::OnEraseBkgnd(HWND, HDC) { return TRUE; }

HBRUSH PanelWindow::OnCtlColorEdit(HWND hwnd, HDC dc, HWND child, int) {
    if (child != Control(layout::kText1Id)) {
        return FORWARD_WM_CTLCOLOREDIT(hwnd, dc, child, DefWindowProcW);
    }
    SetTextColor(dc, layout::kText1Foreground);
    SetBkColor(dc, layout::kText1Background);
    return text1Background_.get();
}

// Only a click notification that names the button itself counts: IDOK and IDCANCEL, which
// the dialog manager and menus send without a button, have the numbers of Start and Stop.
void PanelWindow::OnCommand(HWND, int id, HWND control, UINT notification) {
    if (notification != BN_CLICKED || control == nullptr || control != Control(id)) return;
    commands_.Click(id);
}

void PanelWindow::OnTimer(HWND, UINT id) {
    if (id == kTimer1Id) commands_.Timer1_Timer();
}

// The focus goes back to the control that had it when the panel is activated again, rather
// than to the bare window, where Tab would start over.
void PanelWindow::OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized) {
    if (state == WA_INACTIVE) {
        HWND focused = GetFocus();
        if (focused != nullptr && IsChild(hwnd, focused)) focus_ = focused;
    }
    FORWARD_WM_ACTIVATE(hwnd, state, other, minimized, DefWindowProcW);
}

void PanelWindow::OnSetFocus(HWND hwnd, HWND) {
    if (focus_ != nullptr && IsChild(hwnd, focus_)) SetFocus(focus_);
}

void PanelWindow::OnClose(HWND) { commands_.Close(); }

// Closing by the system at the end of the session says farewell like any other close.
void PanelWindow::OnEndSession(HWND, BOOL ending) {
    if (ending) commands_.Close();
}

// The panel is the program's only window: when it goes away, so does the program.
void PanelWindow::OnDestroy(HWND hwnd) {
    KillTimer(hwnd, kTimer1Id);
    if (!destroyedByOwner_) PostQuitMessage(0);
}

// Moved to a monitor of another density, or the user changed it: the panel is laid out for
// the new one and goes where the system suggests.
void PanelWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    LayOut(dpi);
    icons_.Set(hwnd_, module_, dpi);  // the caption's and the taskbar's sizes change too
    tips_.SetDpi(dpi);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea();
}

}  // namespace quillow
