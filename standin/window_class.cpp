#include "standin/window_class.h"

namespace standin {

void RegisterWindowClass(HINSTANCE instance, std::string_view name, WNDPROC proc, LPCSTR cursor) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.lpszClassName = name.data();
    RegisterClassExA(&wc);
}

}  // namespace standin
