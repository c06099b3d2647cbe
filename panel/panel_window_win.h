// The panel: the program's one window, with its buttons, reason box, picture and timer,
// handing its events to the panel's commands.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "automation/window_ops_win.h"
#include "panel/background_picture_win.h"
#include "panel/commands.h"
#include "panel/gdi_object_win.h"
#include "panel/layout.h"
#include "panel/panel_icons_win.h"
#include "panel/tooltips_win.h"
#include "panel/event_loop_win.h"

namespace quillow {

class PanelWindow final : public PanelHost {
public:
    // What EndProgram does.
    using EndAction = std::function<void()>;

    // A panel that drives the real client and ends the process when the program ends.
    PanelWindow();
    // A panel that drives `client` and calls `end` when the program ends. `end` may return
    // (a test's ending does); the command that asked for the end then carries on.
    PanelWindow(WindowOps& client, EndAction end);
    ~PanelWindow() override;

    PanelWindow(const PanelWindow&) = delete;
    PanelWindow& operator=(const PanelWindow&) = delete;

    // Creates the window, hidden, with all its controls, and starts Timer1; the picture is
    // painted for the panel's density when the panel is first drawn. The icon is `module`'s.
    // False if the window or a control could not be created.
    [[nodiscard]] bool Create(HINSTANCE module);

    // Shows the window (the first time with the show command the program was started with)
    // and puts the focus on "Start".
    void Show(int showCommand = SW_SHOWNORMAL);

    [[nodiscard]] HWND hwnd() const { return hwnd_; }
    // A control by its id in the layout (Command<n> is n, Text1 is layout::kText1Id); null
    // for any other id.
    [[nodiscard]] HWND Control(int id) const;
    // The density the panel is laid out for: at first the density of the monitor it opens
    // on, then whatever WM_DPICHANGED last said.
    [[nodiscard]] int Dpi() const { return dpi_; }
    // The tooltip window the panel owns, or null if it could not be made.
    [[nodiscard]] HWND Tooltips() const { return tips_.hwnd(); }

    [[nodiscard]] PanelCommands& Commands() { return commands_; }
    [[nodiscard]] Win32EventLoop& Loop() { return loop_; }

    std::string ReadReason() override;
    void EndProgram() override;

    // The identifier of Timer1 among the window's timers.
    static constexpr UINT_PTR kTimer1Id = 1;
    // The panel's window class, by which another start of the program finds it.
    static constexpr wchar_t kClassName[] = L"QuillowPanel";

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool CreateControls(HINSTANCE module);
    void LayOut(int dpi);
    void FitClientArea();
    void PaintContent(HDC dc, const RECT& area);

    void OnPaint(HWND hwnd);
    void OnPrintClient(HDC dc);
    BOOL OnEraseBkgnd(HWND hwnd, HDC dc);
    HBRUSH OnCtlColorEdit(HWND hwnd, HDC dc, HWND child, int type);
    void OnCommand(HWND hwnd, int id, HWND control, UINT notification);
    void OnTimer(HWND hwnd, UINT id);
    void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);
    void OnSetFocus(HWND hwnd, HWND previous);
    void OnClose(HWND hwnd);
    void OnEndSession(HWND hwnd, BOOL ending);
    void OnDestroy(HWND hwnd);
    void OnDpiChanged(int dpi, const RECT& suggested);

    Win32WindowOps ownClient_;
    Win32EventLoop loop_;
    EndAction end_;
    PanelCommands commands_;

    HINSTANCE module_ = nullptr;  // holds the icon
    HWND hwnd_ = nullptr;
    std::array<HWND, layout::kControls.size()> controls_{};  // in the layout's order
    HWND focus_ = nullptr;  // the control to give the focus back to when reactivated
    int dpi_ = 96;
    bool destroyedByOwner_ = false;

    Font font_;
    Brush text1Background_;
    BackgroundPicture picture_;
    PanelIcons icons_;
    PanelTooltips tips_;
};

}  // namespace quillow
