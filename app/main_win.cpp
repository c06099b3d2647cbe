// Program start. The panel is created (Timer1 starts counting then), says its greetings while
// still hidden, and is shown with the focus on "Start"; it then handles events until the
// program ends, which is normally at once from inside a handler ("Exit", or the close).
// A second start while a Quillow runs in the session only brings that one's panel forward.
#include <windows.h>

#include "app/single_instance_win.h"
#include "panel/panel_window_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    if (!quillow::ClaimSession()) {
        quillow::ShowRunningPanel();
        return 0;
    }
    quillow::PanelWindow panel;
    if (!panel.Create(instance)) return 1;
    panel.Commands().Form_Load();
    panel.Show(showCommand);
    return panel.Loop().RunMessageLoop();
}
