// What the panel does for each of its events.
#pragma once

#include <string>

#include "automation/event_loop.h"
#include "automation/window_ops.h"

namespace quillow {

// What the handlers need of the panel window itself.
class PanelHost {
public:
    virtual ~PanelHost() = default;

    // The current text of the reason box, Text1.
    virtual std::string ReadReason() = 0;

    // Ends the program at once: no unload handling, and a command suspended in a wait never
    // resumes. Does not return.
    virtual void EndProgram() = 0;
};

// The panel's event handlers, one per event, named after their control and event. Each runs a
// short fixed script; any of them may run nested inside another's wait, since every wait
// handles the panel's events.
class PanelCommands {
public:
    PanelCommands(WindowOps& client, EventLoop& loop, PanelHost& panel)
        : client_(client), loop_(loop), panel_(panel) {}

    void Form_Load();
    void Form_Unload(bool& cancel);
    void Timer1_Timer();
    void Command1_Click();  // Start
    void Command2_Click();  // Stop
    void Command3_Click();  // IM on
    void Command4_Click();  // IM off
    void Command5_Click();  // Clr Cht
    void Command6_Click();  // Exit
    void Command7_Click();  // Adv
    void Command8_Click();  // Con

    // Runs the click handler of Command<number>; other numbers are ignored.
    void Click(int number);

    // The panel is being closed: the farewell lines, then the end of the program. Ending at
    // once, rather than letting the close unwind, keeps a command that was waiting when the
    // close came from resuming and posting after the farewell lines. A second close while the
    // first is still saying farewell is ignored.
    void Close();

private:
    void Post(std::string_view line);
    void Wait();

    WindowOps& client_;
    EventLoop& loop_;
    PanelHost& panel_;
    bool closing_ = false;
};

}  // namespace quillow
