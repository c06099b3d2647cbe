// "RICHCNTLREADONLY": a chat room's transcript. Each line is drawn as the room shows it: the
// speaker's screen name, then the line's text with its font-colour markup applied and the
// markup itself hidden. Scrolls to the newest line.
//
// WM_SETTEXT replaces the whole transcript (each text line becomes a transcript line, without a
// speaker); an empty text empties it. WM_GETTEXT gives what a reader sees, lines separated by
// "\r\n", speakers included.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace standin {

void RegisterTranscriptClass(HINSTANCE instance);

HWND CreateTranscript(HWND parent, int id, const RECT& rect, std::string role);

// `line` is the chat line's bytes as typed, markup included.
void AppendChatLine(HWND transcript, std::string_view speaker, std::string_view line);

}  // namespace standin
