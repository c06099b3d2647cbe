#include "panel/commands.h"

#include "automation/chat_room.h"
#include "automation/instant_message.h"
#include "automation/pause.h"
#include "panel/status_lines.h"

namespace quillow {
namespace {

constexpr double kLineGapSeconds = 0.7;

}  // namespace

// Before each line, a look for "Exit" or a close queued meanwhile: a backlog of nested commands
// unwinds by posting line after line with no wait in between, and how long each line takes is
// the client's business.
void PanelCommands::Post(std::string_view line) {
    loop_.ServeEnding();
    ChatSend(client_, line);
}

void PanelCommands::Wait() { Pause(loop_, kLineGapSeconds); }

void PanelCommands::Form_Load() {
    Post(lines::kGreeting);
    Wait();
    Post(lines::kMotto);
}

void PanelCommands::Form_Unload(bool& /*cancel*/) {
    Post(lines::kFarewell);
    Wait();
    Post(lines::kUnloaded);
}

void PanelCommands::Timer1_Timer() {
    Post(lines::kIdleTick);
    Wait();
    Post(lines::ReLine(panel_.ReadReason()));  // read after the wait, so edits made during it count
}

void PanelCommands::Command1_Click() {
    Post(lines::kWentIdle);
    Wait();
    Post(lines::IdleCauseLine(panel_.ReadReason()));
}

void PanelCommands::Command2_Click() { Post(lines::kCameBack); }

void PanelCommands::Command3_Click() {
    Post(lines::kImsOn);
    SendInstantMessage(client_, loop_, lines::kImOnRecipient, lines::kImOnMessage);
}

void PanelCommands::Command4_Click() {
    Post(lines::kImsOff);
    SendInstantMessage(client_, loop_, lines::kImOffRecipient, lines::kImOffMessage);
}

void PanelCommands::Command5_Click() { ClearChat(client_); }

void PanelCommands::Command6_Click() {
    // Handed to the client before the program ends; not after a look, which could serve a
    // close and say farewell in its place.
    ChatSend(client_, lines::kExit);
    panel_.EndProgram();
}

void PanelCommands::Command7_Click() { Post(lines::kCredit); }

void PanelCommands::Command8_Click() {
    Post(lines::kContactTorvik);
    Wait();
    Post(lines::kContactZennoq);
}

void PanelCommands::Click(int number) {
    switch (number) {
        case 1: return Command1_Click();
        case 2: return Command2_Click();
        case 3: return Command3_Click();
        case 4: return Command4_Click();
        case 5: return Command5_Click();
        case 6: return Command6_Click();
        case 7: return Command7_Click();
        case 8: return Command8_Click();
        default: return;
    }
}

void PanelCommands::Close() {
    if (closing_) return;
    closing_ = true;
    bool cancel = false;
    Form_Unload(cancel);
    if (!cancel) panel_.EndProgram();
}

}  // namespace quillow
