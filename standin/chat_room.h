// A chat room document: transcript pane, line-input box, a drop-down of the people in the room,
// a few icons and a label. Enter in the input box (or its Send icon) takes the box's text as one
// chat line: the room shows it under the user's screen name and empties the box.
//
// The same window with parts left out serves as a decoy: a document that looks much like a room
// but lacks one of the controls by which a room is recognised. A decoy takes no lines.
#pragma once

#include <string>
#include <vector>

#include "standin/document.h"

namespace standin {

struct RoomParts {
    bool transcript = true;
    bool comboBox = true;
    bool icons = true;
    bool label = true;
    bool transcriptAfterInput = false;  // child order: input box first
};

class ChatRoom final : public Document {
public:
    static constexpr const char* kScreenName = "StandInUser";

    ChatRoom(ClientEvents& events, std::string role, RoomParts parts, bool takesLines);

    // `hangInput`: the input box blocks the client when another program sets its text.
    void Open(HWND area, const char* title, const RECT& rect, bool hangInput);

    bool TakesLines() const { return takesLines_; }

    void Focus() override;

protected:
    void Layout(int width, int height) override;
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void CreateControls(bool hangInput);
    void CreateTranscriptPane();
    void TakeLine();

    RoomParts parts_;
    bool takesLines_;
    HWND transcript_ = nullptr;
    HWND input_ = nullptr;
    HWND comboBox_ = nullptr;
    HWND label_ = nullptr;
    std::vector<HWND> icons_;
};

}  // namespace standin
