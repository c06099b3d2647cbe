#include "standin/transcript_pane.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "automation/client_windows.h"
#include "standin/markup.h"
#include "standin/message_scope.h"
#include "standin/record.h"
#include "standin/theme.h"
#include "standin/win_text.h"
#include "standin/window_class.h"
#include "standin/word_wrap.h"

namespace standin {
namespace {

constexpr int kPadding = 6;
constexpr int kIndent = 18;  // continuation rows
constexpr COLORREF kDefaultText = RGB(0, 0, 0);

struct Run {
    std::wstring text;
    COLORREF colour;
    bool bold;
};

struct Line {
    std::vector<Run> runs;
    std::string plain;  // the bytes a reader sees
};

struct Row {
    std::size_t line;
    WrappedRow pieces;
};

struct TranscriptState {
    std::vector<Line> lines;
    std::vector<Row> rows;
    int firstRow = 0;  // scroll position
};

TranscriptState* StateOf(HWND window) {
    return reinterpret_cast<TranscriptState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HFONT FontOf(const Run& run) {
    return run.bold ? theme::GetFonts().transcriptBold : theme::GetFonts().transcript;
}

int LineHeight(HWND window) {
    HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, theme::GetFonts().transcript);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics.tmHeight + 3;
}

int VisibleRows(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return std::max(1, static_cast<int>(client.bottom - 2 * kPadding) / LineHeight(window));
}

Line MakeLine(std::string_view speaker, std::string_view bytes) {
    Line line;
    if (!speaker.empty()) {
        const std::string name = std::string(speaker) + ":";
        line.runs.push_back({AnsiToWide(name), theme::kScreenName, true});
        line.runs.push_back({L" ", kDefaultText, false});
        line.plain = name + " ";
    }
    const std::vector<MarkupSegment> segments = ParseFontMarkup(bytes);
    for (const MarkupSegment& segment : segments) {
        const COLORREF colour =
            segment.colour ? RGB(segment.colour->red, segment.colour->green, segment.colour->blue)
                           : kDefaultText;
        line.runs.push_back({AnsiToWide(segment.text), colour, false});
    }
    line.plain += VisibleText(segments);
    return line;
}

void WrapLine(HWND window, TranscriptState& state, std::size_t index) {
    RECT client{};
    GetClientRect(window, &client);
    const int width = std::max(40, static_cast<int>(client.right) - 2 * kPadding);
    const Line& line = state.lines[index];
    std::vector<std::wstring> texts;
    for (const Run& run : line.runs) texts.push_back(run.text);

    HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, theme::GetFonts().transcript);
    const auto measure = [&](std::wstring_view text, std::size_t run) {
        SelectObject(dc, FontOf(line.runs[run]));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    for (WrappedRow& pieces : WrapRuns(texts, width, kIndent, measure)) {
        state.rows.push_back({index, std::move(pieces)});
    }
    SelectObject(dc, old);
    ReleaseDC(window, dc);
}

void UpdateScrollBar(HWND window, const TranscriptState& state) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, static_cast<int>(state.rows.size()) - 1);
    info.nPage = static_cast<UINT>(VisibleRows(window));
    info.nPos = state.firstRow;
    SetScrollInfo(window, SB_VERT, &info, TRUE);
}

void ScrollTo(HWND window, TranscriptState& state, int firstRow) {
    const int last = std::max(0, static_cast<int>(state.rows.size()) - VisibleRows(window));
    state.firstRow = std::clamp(firstRow, 0, last);
    UpdateScrollBar(window, state);
    InvalidateRect(window, nullptr, FALSE);
}

void ScrollToEnd(HWND window, TranscriptState& state) {
    ScrollTo(window, state, static_cast<int>(state.rows.size()));
}

void Rewrap(HWND window, TranscriptState& state) {
    state.rows.clear();
    for (std::size_t i = 0; i < state.lines.size(); ++i) WrapLine(window, state, i);
}

void Append(HWND window, TranscriptState& state, Line line) {
    state.lines.push_back(std::move(line));
    WrapLine(window, state, state.lines.size() - 1);
    ScrollToEnd(window, state);
}

std::string PlainText(const TranscriptState& state) {
    std::string text;
    for (std::size_t i = 0; i < state.lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += state.lines[i].plain;
    }
    return text;
}

// Replaces the whole transcript; an empty text empties it.
void OnSetText(HWND window, TranscriptState& state, const char* text) {
    state.lines.clear();
    state.rows.clear();
    const std::string_view all = text ? text : "";
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        std::string_view piece = all.substr(start, end - start);
        if (piece.ends_with('\r')) piece.remove_suffix(1);
        state.lines.push_back(MakeLine({}, piece));
        start = end + 1;
    }
    Rewrap(window, state);
    ScrollToEnd(window, state);
    if (all.empty()) RecordEvent("cleared", RoleOf(GetParent(window)));
}

LRESULT OnGetText(const TranscriptState& state, WPARAM size, char* buffer) {
    if (size == 0 || buffer == nullptr) return 0;
    const std::string text = PlainText(state);
    const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return static_cast<LRESULT>(copied);
}

void OnPaint(HWND window, const TranscriptState& state) {
    theme::BufferedPaint paint(window);
    HDC dc = paint.Dc();
    theme::FillSolid(dc, paint.Client(), theme::kPane);
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ old = SelectObject(dc, theme::GetFonts().transcript);
    const int height = LineHeight(window);
    int y = kPadding;
    for (std::size_t r = static_cast<std::size_t>(state.firstRow);
         r < state.rows.size() && y < paint.Client().bottom; ++r, y += height) {
        const Line& line = state.lines[state.rows[r].line];
        for (const PlacedPiece& piece : state.rows[r].pieces) {
            const Run& run = line.runs[piece.run];
            SelectObject(dc, FontOf(run));
            SetTextColor(dc, run.colour);
            TextOutW(dc, kPadding + piece.x, y, run.text.data() + piece.begin,
                     static_cast<int>(piece.length));
        }
    }
    SelectObject(dc, old);
}

void OnVScroll(HWND window, TranscriptState& state, int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, SB_VERT, &info);
    int target = state.firstRow;
    switch (request) {
        case SB_LINEUP: target -= 1; break;
        case SB_LINEDOWN: target += 1; break;
        case SB_PAGEUP: target -= static_cast<int>(info.nPage); break;
        case SB_PAGEDOWN: target += static_cast<int>(info.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: target = info.nTrackPos; break;
        case SB_TOP: target = 0; break;
        case SB_BOTTOM: target = static_cast<int>(state.rows.size()); break;
        default: return;
    }
    ScrollTo(window, state, target);
}

LRESULT CALLBACK TranscriptProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    TranscriptState* state = StateOf(window);
    if (message == WM_NCCREATE) {
        state = new TranscriptState;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete state;
        state = nullptr;
    }
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
        case WM_SETTEXT:
            OnSetText(window, *state, reinterpret_cast<const char*>(lParam));
            return TRUE;
        case WM_GETTEXT: return OnGetText(*state, wParam, reinterpret_cast<char*>(lParam));
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(PlainText(*state).size());
        case WM_PAINT: OnPaint(window, *state); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE:
            Rewrap(window, *state);
            ScrollToEnd(window, *state);
            return 0;
        case WM_VSCROLL: OnVScroll(window, *state, LOWORD(wParam)); return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(window, *state,
                     state->firstRow - 3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void RegisterTranscriptClass(HINSTANCE instance) {
    RegisterWindowClass(instance, quillow::client::kTranscript, TranscriptProc);
}

HWND CreateTranscript(HWND parent, int id, const RECT& rect, std::string role) {
    const HWND pane = CreateWindowExA(WS_EX_CLIENTEDGE, quillow::client::kTranscript.data(), "",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL, rect.left, rect.top,
                                      rect.right - rect.left, rect.bottom - rect.top, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleA(nullptr), nullptr);
    SetRole(pane, std::move(role));
    return pane;
}

void AppendChatLine(HWND transcript, std::string_view speaker, std::string_view line) {
    if (TranscriptState* state = StateOf(transcript)) {
        Append(transcript, *state, MakeLine(speaker, line));
    }
}

}  // namespace standin
