// Program start. The panel is created (Timer1 starts counting then), says its greetings while
// still hidden, and is shown with the focus on "Start"; it then handles events until the
// program ends, which is normally at once from inside a handler ("Exit", or the close).
#include <windows.h>

#include "panel/panel_window_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    quillow::PanelWindow panel;
    if (!panel.Create(instance)) return 1;
    panel.Commands().Form_Load();
    panel.Show(showCommand);
    return panel.Loop().RunMessageLoop();
}
