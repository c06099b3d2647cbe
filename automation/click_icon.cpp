#include "automation/window_ops.h"

namespace quillow {

void ClickIcon(WindowOps& ops, WindowHandle icon) {
    ops.SendMessageA(icon, Message::LButtonDown, 0, 0);
    ops.SendMessageA(icon, Message::KeyUp, kVkSpace, 0);
}

}  // namespace quillow
