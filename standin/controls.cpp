#include "standin/controls.h"

#include <richedit.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "standin/record.h"

namespace standin {
namespace {

constexpr char kHangProperty[] = "QuillowStandIn.Hang";
constexpr char kPressedProperty[] = "QuillowStandIn.Pressed";
constexpr DWORD kHangMs = 60000;
constexpr COLORREF kTextColour = RGB(0, 0, 0);
constexpr COLORREF kScreenNameColour = RGB(0x2B, 0x2B, 0x2B);

HANDLE g_hangRelease = nullptr;

// The window procedures of the system classes under the client's names.
enum Base { kTranscriptBase, kRichBoxBase, kEditBase, kComboBase, kLabelBase, kBaseCount };
WNDPROC g_base[kBaseCount] = {};

HFONT MakeFont(int points, int weight, bool italic = false) {
    const HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, weight, italic, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "Arial");
}

// Enter is offered to the parent first; a hanging box blocks on text set from outside; an
// emptied transcript is recorded.
template <Base kBase>
LRESULT CALLBACK SystemControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    if (message == WM_SETTEXT && scope.FromOutside() && GetPropA(window, kHangProperty)) {
        WaitForSingleObject(g_hangRelease, kHangMs);
    }
    if (message == WM_NCDESTROY) RemovePropA(window, kHangProperty);
    const bool box = kBase == kRichBoxBase || kBase == kEditBase;
    if (box && message == WM_CHAR && wParam == VK_RETURN &&
        SendMessageA(GetParent(window), kEnterInBox, 0, reinterpret_cast<LPARAM>(window)) != 0) {
        return 0;
    }
    const LRESULT result = CallWindowProcA(g_base[kBase], window, message, wParam, lParam);
    // Rich edit boxes hold whatever they are sent, however long.
    if ((kBase == kTranscriptBase || kBase == kRichBoxBase) && message == WM_CREATE) {
        SendMessageA(window, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
        SendMessageA(window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(4, 4));
    }
    if (kBase == kTranscriptBase && message == WM_SETTEXT &&
        (lParam == 0 || *reinterpret_cast<const char*>(lParam) == '\0')) {
        RecordEvent("cleared", RoleOf(GetParent(window)));
    }
    return result;
}

const IconLook& LookOf(HWND icon) {
    return *reinterpret_cast<const IconLook*>(GetWindowLongPtrA(icon, GWLP_USERDATA));
}

bool Pressed(HWND icon) { return GetPropA(icon, kPressedProperty) != nullptr; }

void SetPressed(HWND icon, bool pressed) {
    if (Pressed(icon) == pressed) return;
    if (pressed) SetPropA(icon, kPressedProperty, reinterpret_cast<HANDLE>(1));
    if (!pressed) RemovePropA(icon, kPressedProperty);
    InvalidateRect(icon, nullptr, FALSE);
}

// On the parent's background: a button with the caption inside when the icon has no glyph,
// else a tile with the caption under it when there is room for one, else a square with the
// glyph in the icon's colour.
void PaintIcon(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client,
             reinterpret_cast<HBRUSH>(GetClassLongPtrA(GetParent(window), GCLP_HBRBACKGROUND)));
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    const IconLook& look = LookOf(window);
    const int shift = Pressed(window) ? 1 : 0;
    const COLORREF fill = shift ? Darker(look.colour, 20) : look.colour;
    if (look.glyph == nullptr) {
        FillRounded(dc, client, 12, fill, Darker(look.colour, 30));
        OffsetRect(&client, shift, shift);
        DrawLabel(dc, caption, client, FontKind::Bold, RGB(255, 255, 255), DT_CENTER | DT_VCENTER);
    } else if (client.bottom >= 40) {
        const int left = (client.right - 28) / 2 + shift;
        const RECT tile{left, 3 + shift, left + 28, 31 + shift};
        FillRounded(dc, tile, 9, fill, Darker(fill, 25));
        DrawLabel(dc, look.glyph, tile, FontKind::Glyph, RGB(255, 255, 255),
                  DT_CENTER | DT_VCENTER);
        DrawLabel(dc, caption, RECT{0, 33, client.right, client.bottom}, FontKind::Small,
                  kCaptionColour, DT_CENTER | DT_TOP | DT_END_ELLIPSIS);
    } else {
        FillRounded(dc, client, 5, shift ? RGB(0xCF, 0xDD, 0xF2) : RGB(255, 255, 255),
                    RGB(0xA4, 0xB0, 0xC2));
        DrawLabel(dc, look.glyph, client, FontKind::Bold, look.colour, DT_CENTER | DT_VCENTER);
    }
    EndPaint(window, &paint);
}

bool PointerInside(HWND window, LPARAM lParam) {
    RECT client;
    GetClientRect(window, &client);
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, at) != FALSE;
}

LRESULT CALLBACK IconProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_NCDESTROY:
            RemovePropA(window, kPressedProperty);
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_PAINT: PaintIcon(window); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetPressed(window, true);
            // A real press ends when the button comes up; a sent one waits for Space.
            if (!scope.FromOutside()) SetCapture(window);
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() != window) return 0;
            ReleaseCapture();
            if (!Pressed(window) || !PointerInside(window, lParam)) {
                SetPressed(window, false);
                return 0;
            }
            break;
        case WM_KEYUP:
            if (wParam != VK_SPACE || !Pressed(window)) return 0;
            if (GetCapture() == window) ReleaseCapture();
            break;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
    // Pressed. The parent may destroy the icon in reply: nothing of it is touched after.
    SetPressed(window, false);
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
    return 0;
}

// A "<font ...>" (1) or "</font>" (-1) tag at the start of `text`, in any case, with its length
// and the colour of its "color=#RRGGBB" attribute (quotes and '#' optional) if it has a good
// one; 0 for anything else.
int FontTag(std::string_view text, std::size_t& length, std::optional<COLORREF>& colour) {
    const auto lower = [](std::string_view part) {
        std::string lowered(part);
        for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return lowered;
    };
    const std::string head = lower(text.substr(0, 7));
    const bool closing = head.starts_with("</font");
    const std::size_t name = closing ? 6 : 5;
    if ((!closing && !head.starts_with("<font")) || head.size() <= name ||
        std::string_view(" \t\r\n>").find(head[name]) == std::string_view::npos) {
        return 0;
    }
    const std::size_t close = text.find('>', name);
    if (close == std::string_view::npos) return 0;
    const std::string tag = lower(text.substr(0, close + 1));
    length = close + 1;
    constexpr const char* kSpace = " \t\r\n";
    for (std::size_t at = tag.find("color", name); !closing && at != std::string::npos;
         at = tag.find("color", at + 1)) {
        std::size_t i = tag.find_first_not_of(kSpace, at + 5);  // the '>' at the end stops it
        if (tag[i] != '=') continue;
        i = tag.find_first_not_of(kSpace, i + 1);
        if (tag[i] == '"' || tag[i] == '\'') ++i;
        if (tag[i] == '#') ++i;
        const std::string hex = tag.substr(i, 6);
        if (hex.size() == 6 && hex.find_first_not_of("0123456789abcdef") == std::string::npos) {
            const unsigned long rgb = std::stoul(hex, nullptr, 16);
            colour = RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
        }
        break;
    }
    return closing ? -1 : 1;
}

// The position after the last character of a rich edit control.
LRESULT TextEnd(HWND box) {
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return SendMessageA(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
}

// Inserts the bytes at the end of a rich edit control in one colour.
void AddRun(HWND box, const std::string& bytes, COLORREF colour, bool bold) {
    if (bytes.empty()) return;
    const LRESULT end = TextEnd(box);
    SendMessageA(box, EM_SETSEL, end, end);
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_BOLD;
    format.dwEffects = bold ? CFE_BOLD : 0;
    format.crTextColor = colour;
    SendMessageA(box, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(bytes.c_str()));
}

}  // namespace

void FillRounded(HDC dc, const RECT& rect, int radius, COLORREF fill, COLORREF border) {
    SetDCBrushColor(dc, fill);
    SetDCPenColor(dc, border);
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SelectObject(dc, GetStockObject(DC_PEN));
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius, radius);
}

void DrawLabel(HDC dc, const char* text, RECT rect, FontKind font, COLORREF colour, UINT format) {
    SelectObject(dc, Font(font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextA(dc, text, -1, &rect, format | DT_SINGLELINE | DT_NOPREFIX);
}

COLORREF Darker(COLORREF colour, int percent) {
    const auto scale = [percent](int channel) { return channel * (100 - percent) / 100; };
    return RGB(scale(GetRValue(colour)), scale(GetGValue(colour)), scale(GetBValue(colour)));
}

HFONT Font(FontKind kind) {
    static const HFONT fonts[] = {
        MakeFont(9, FW_NORMAL), MakeFont(9, FW_BOLD),    MakeFont(7, FW_NORMAL),
        MakeFont(10, FW_BOLD),  MakeFont(10, FW_NORMAL), MakeFont(13, FW_BOLD, true),
    };
    return fonts[static_cast<int>(kind)];
}

HBRUSH Brush(COLORREF colour) {
    static std::map<COLORREF, HBRUSH> brushes;
    HBRUSH& brush = brushes[colour];
    if (brush == nullptr) brush = CreateSolidBrush(colour);
    return brush;
}

WNDPROC RegisterWindowClass(const char* name, WNDPROC proc, const char* base, COLORREF background,
                            LPCSTR cursor) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (base == nullptr) {
        wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        wc.hCursor = LoadCursorA(nullptr, cursor);
        wc.hbrBackground = Brush(background);
    } else if (!GetClassInfoExA(nullptr, base, &wc)) {
        return nullptr;
    }
    const WNDPROC baseProc = wc.lpfnWndProc;
    wc.style &= ~CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
    return baseProc;
}

void RegisterControlClasses() {
    LoadLibraryA("riched32.dll");
    g_base[kTranscriptBase] =
        RegisterWindowClass("RICHCNTLREADONLY", SystemControlProc<kTranscriptBase>, "RICHEDIT");
    g_base[kRichBoxBase] =
        RegisterWindowClass("RICHCNTL", SystemControlProc<kRichBoxBase>, "RICHEDIT");
    g_base[kEditBase] = RegisterWindowClass("_AOL_Edit", SystemControlProc<kEditBase>, "EDIT");
    g_base[kComboBase] =
        RegisterWindowClass("_AOL_Combobox", SystemControlProc<kComboBase>, "COMBOBOX");
    g_base[kLabelBase] =
        RegisterWindowClass("_AOL_Static", SystemControlProc<kLabelBase>, "STATIC");
    RegisterWindowClass("_AOL_Icon", IconProc, nullptr, kDocumentColour, IDC_HAND);
}

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle,
                 int id, std::string role, const void* param) {
    const HWND child =
        CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleA(nullptr), const_cast<void*>(param));
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font(FontKind::Ui)), FALSE);
    SetRole(child, std::move(role));
    return child;
}

HWND CreateIcon(HWND parent, int id, const IconLook& look, std::string role) {
    return CreateChild(parent, "_AOL_Icon", look.caption, 0, 0, id, std::move(role), &look);
}

void MakeBoxHang(HWND box) { SetPropA(box, kHangProperty, reinterpret_cast<HANDLE>(1)); }

HANDLE MakeHangReleaseEvent() {
    char name[64];
    std::snprintf(name, sizeof name, "Local\\QuillowStandIn.Release.%lu", GetCurrentProcessId());
    g_hangRelease = CreateEventA(nullptr, TRUE, FALSE, name);
    return g_hangRelease;
}

void AppendChatLine(HWND transcript, std::string_view speaker, std::string_view line) {
    if (TextEnd(transcript) > 0) AddRun(transcript, "\r\n", kTextColour, false);
    AddRun(transcript, std::string(speaker) + ":", kScreenNameColour, true);
    std::vector<COLORREF> outer;  // the colours to go back to, innermost last
    COLORREF colour = kTextColour;
    std::string text = " ";
    for (std::size_t i = 0; i < line.size();) {
        std::size_t length = 0;
        std::optional<COLORREF> named;
        const int tag = line[i] == '<' ? FontTag(line.substr(i), length, named) : 0;
        if (tag == 0) {
            text += line[i++];
            continue;
        }
        AddRun(transcript, text, colour, false);
        text.clear();
        if (tag > 0) {
            outer.push_back(colour);
            colour = named.value_or(colour);
        } else if (!outer.empty()) {
            colour = outer.back();
            outer.pop_back();
        }
        i += length;
    }
    AddRun(transcript, text, colour, false);
    SendMessageA(transcript, EM_SCROLLCARET, 0, 0);
}

std::string WindowBytes(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::string bytes(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, bytes.data(), length + 1);
    bytes.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return bytes;
}

}  // namespace standin
