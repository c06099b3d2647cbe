#include "bench/line_cost.h"

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "automation/chat_room.h"
#include "automation/client_windows.h"
#include "automation/window_ops_win.h"
#include "driver/clock.h"
#include "panel/status_lines.h"

namespace quillow::bench {

void MeasureLineAgainstBarePair(int lines, LineCosts& costs) {
    using driver::CounterSeconds;
    Win32WindowOps ops;
    const WindowHandle room = FindChatRoom(ops);
    if (room == 0) throw std::runtime_error("no chat room found");
    const WindowHandle box = ops.FindWindowExA(room, 0, client::kRichInput);
    const std::string_view line = lines::kCredit;
    for (int i = 0; i < lines; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        double before = CounterSeconds();
        ChatSend(ops, line);
        costs.chatSend.push_back(CounterSeconds() - before);

        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        before = CounterSeconds();
        ops.SendText(box, line);
        ops.SendMessageA(box, Message::Char, kCarriageReturn, 0);
        costs.barePair.push_back(CounterSeconds() - before);
    }
}

}  // namespace quillow::bench
