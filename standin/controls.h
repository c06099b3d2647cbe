// The client's window classes and controls, and the look they share.
//
// Every class is an ANSI class, so text another program sends arrives as that program's bytes
// (Windows-1252 under an English locale: "›" is 0x9B). The boxes and labels are the system's
// controls under the client's names: "RICHCNTLREADONLY" (a room's transcript) and "RICHCNTL"
// (input and message boxes) are rich edit controls, "_AOL_Edit" an edit box, "_AOL_Combobox" a
// drop-down list and "_AOL_Static" a label. "_AOL_Icon" is the client's own icon button.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace standin {

inline constexpr COLORREF kToolbarColour = RGB(0xE2, 0xE9, 0xF4);
inline constexpr COLORREF kEdgeColour = RGB(0x8E, 0xA2, 0xBF);
inline constexpr COLORREF kDocumentColour = RGB(0xEB, 0xEF, 0xF5);
inline constexpr COLORREF kStatusColour = RGB(0xDA, 0xE1, 0xEC);
inline constexpr COLORREF kCaptionColour = RGB(0x1E, 0x2A, 0x3C);

// Sent by a box to its parent when Enter is typed into it (lParam: the box). A parent that
// returns nonzero has dealt with it and the box drops the key; zero lets the box have it.
inline constexpr UINT kEnterInBox = WM_APP + 1;

enum class FontKind { Ui, Bold, Small, Glyph, Chat, Brand };
HFONT Font(FontKind kind);
HBRUSH Brush(COLORREF colour);  // kept for the life of the program
COLORREF Darker(COLORREF colour, int percent);
void FillRounded(HDC dc, const RECT& rect, int radius, COLORREF fill, COLORREF border);
// One line of text in a rectangle, transparent.
void DrawLabel(HDC dc, const char* text, RECT rect, FontKind font, COLORREF colour, UINT format);

// Registers one of the client's classes. With `base`, a superclass of that system class taking
// its look and behaviour; returns the base class's window procedure.
WNDPROC RegisterWindowClass(const char* name, WNDPROC proc, const char* base = nullptr,
                            COLORREF background = kDocumentColour, LPCSTR cursor = IDC_ARROW);

// Registers the controls' classes (after loading the rich edit library).
void RegisterControlClasses();

// A visible child window with the UI font, named `role` in the record.
HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle,
                 int id, std::string role, const void* param = nullptr);

struct IconLook {
    const char* caption;  // the window text
    const char* glyph;    // none: a button with the caption inside
    COLORREF colour;
};

// Pressed by a button-down followed by Space released (no button-up needed) or by a mouse
// click; either sends WM_COMMAND with BN_CLICKED to the parent.
HWND CreateIcon(HWND parent, int id, const IconLook& look, std::string role);

// A box whose text, when set from another thread, blocks the client for up to a minute or
// until the release event (made by MakeHangReleaseEvent) is set: a client that stops answering.
void MakeBoxHang(HWND box);
HANDLE MakeHangReleaseEvent();

// Adds a line to a transcript: the speaker's name, then the line's bytes with their
// "<font color=#RRGGBB>" tags applied as colours ("</font>" going back to the colour before)
// and the tags hidden. Anything else, other tags included, is shown as it is.
void AppendChatLine(HWND transcript, std::string_view speaker, std::string_view line);

// The whole text of a window, as its bytes.
std::string WindowBytes(HWND window);

}  // namespace standin
