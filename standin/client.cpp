#include "standin/client.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string_view>
#include <vector>

#include "standin/controls.h"
#include "standin/record.h"

namespace standin {
namespace {

constexpr char kFrameClass[] = "AOL Frame25";
constexpr char kDocumentClass[] = "AOL Child";
constexpr char kToolbarHostClass[] = "AOL Toolbar";
constexpr char kToolbarClass[] = "_AOL_Toolbar";
constexpr char kStatusClass[] = "QuillowStandInStatus";
constexpr char kTitle[] = "Stand-in Chat Client";
constexpr char kInstantMessageTitle[] = "Send Instant Message";
constexpr char kScreenName[] = "StandInUser";

constexpr UINT kFirstDocumentId = 50000;
constexpr int kToolbarHeight = 62;
constexpr int kStatusHeight = 26;
constexpr int kBrandWidth = 170;
constexpr UINT kInstantMessageDelayMs = 200;  // before a new instant-message window appears

// Icons count from 1 in child order: the toolbar's fifth opens a new instant-message window,
// a room's fourth and an instant-message window's tenth send.
constexpr int kFirstToolbarIconId = 300;
constexpr int kNewInstantMessageIconId = kFirstToolbarIconId + 5 - 1;
constexpr int kFirstRoomIconId = 110;
constexpr int kRoomSendIconId = kFirstRoomIconId + 4 - 1;
constexpr int kFirstImIconId = 210;
constexpr int kImSendIconId = kFirstImIconId + 10 - 1;

constexpr IconLook kToolbarIcons[] = {
    {"Read", "R", RGB(0x2F, 0x7D, 0xC8)}, {"Write", "W", RGB(0x3B, 0x9C, 0x5A)},
    {"Mail", "M", RGB(0xD0, 0x84, 0x1C)}, {"Print", "P", RGB(0x6B, 0x7A, 0x90)},
    {"IM", "IM", RGB(0xE0, 0x4E, 0x39)},  {"People", "Pe", RGB(0x7A, 0x4D, 0xB8)},
    {"Chat", "C", RGB(0x16, 0x9C, 0xA8)}, {"Files", "F", RGB(0x8A, 0x6A, 0x3E)},
};
constexpr IconLook kRoomIcons[] = {
    {"People", "P", RGB(0x2F, 0x7D, 0xC8)},
    {"Profile", "i", RGB(0x7A, 0x4D, 0xB8)},
    {"Prefs", "*", RGB(0xD0, 0x84, 0x1C)},
    {"Send", nullptr, RGB(0x1F, 0x6F, 0xD1)},
};
constexpr COLORREF kInk = RGB(0x1E, 0x2A, 0x3C), kGrey = RGB(0x6B, 0x7A, 0x90);
constexpr IconLook kImIcons[] = {
    {"Bold", "B", kInk},
    {"Italic", "I", kInk},
    {"Underline", "U", kInk},
    {"Text Colour", "A", RGB(0xC8, 0x28, 0x28)},
    {"Background", "A", RGB(0x1F, 0x8A, 0x4C)},
    {"Smaller", "a", kInk},
    {"Larger", "A", kInk},
    {"Link", "@", RGB(0x14, 0x4E, 0xA8)},
    {"Smiley", ":)", RGB(0xC7, 0x8A, 0x00)},
    {"Send", nullptr, RGB(0x1F, 0x6F, 0xD1)},
    {"Available?", nullptr, kGrey},
    {"Profile", nullptr, kGrey},
};

enum class Kind { Room, Plain, InstantMessage };

// A document window in the multiple-document area and its controls. An instant-message
// window's message box is its `input`.
struct Document {
    Kind kind = Kind::Room;
    std::string role;
    HWND window = nullptr, transcript = nullptr, input = nullptr, combo = nullptr;
    HWND label = nullptr, recipient = nullptr;
    std::vector<HWND> icons;
};

struct Client {
    Options options;
    HWND frame = nullptr, toolbar = nullptr, area = nullptr, status = nullptr;
    WNDPROC areaProc = nullptr;
    // In the area's intended order: instant-message windows (newest first), plain documents,
    // then the room.
    std::vector<std::unique_ptr<Document>> documents;
    int imsOpened = 0;
    bool orderCheckPending = false;
    UINT_PTR nextTimer = 1;  // one timer for each new instant-message window asked for
    bool imsOn = true;
    std::string lastIm;  // "IM to NAME: TEXT", ANSI
};
Client g;

void Place(HWND window, int x, int y, int width, int height) {
    if (window) MoveWindow(window, x, y, std::max(0, width), std::max(0, height), TRUE);
}

RECT AreaClient() {
    RECT area{};
    GetClientRect(g.area, &area);
    return area;
}

RECT Fit(RECT rect) {
    const RECT area = AreaClient();
    const int width = std::min<int>(rect.right - rect.left, std::max<int>(200, area.right - 8));
    const int height = std::min<int>(rect.bottom - rect.top, std::max<int>(150, area.bottom - 8));
    rect.left = std::max<int>(0, std::min<int>(rect.left, area.right - width));
    rect.top = std::max<int>(0, std::min<int>(rect.top, area.bottom - height));
    return RECT{rect.left, rect.top, rect.left + width, rect.top + height};
}

RECT RoomRect() {
    const RECT area = AreaClient();
    return Fit(RECT{10, 10, 10 + std::min<int>(660, area.right - 20), area.bottom - 10});
}

RECT PlainDocumentRect(int index) {
    const RECT area = AreaClient();
    const int x = area.right - 330 - 22 * index;
    const int y = 10 + 22 * index;
    return Fit(RECT{x, y, x + 320, y + 190});
}

RECT InstantMessageRect() {
    const RECT area = AreaClient();
    const auto open = std::count_if(g.documents.begin(), g.documents.end(),
                                    [](const auto& d) { return d->kind == Kind::InstantMessage; });
    const int x = area.right - 430 - 22 * static_cast<int>(open);
    const int y = area.bottom - 290 - 22 * static_cast<int>(open);
    return Fit(RECT{x, y, x + 420, y + 280});
}

void LayoutRoom(const Document& room, int width, int height) {
    constexpr int kMargin = 8, kInputHeight = 26;
    const int side = std::min(150, std::max(60, width / 3));
    const int sideX = width - kMargin - side;
    const int inputY = height - kMargin - kInputHeight;
    Place(room.transcript, kMargin, kMargin, sideX - 2 * kMargin, inputY - 2 * kMargin);
    Place(room.input, kMargin, inputY, sideX - 2 * kMargin, kInputHeight);
    Place(room.label, sideX, kMargin, side, 18);
    Place(room.combo, sideX, kMargin + 20, side, 160);
    for (std::size_t i = 0; i < room.icons.size(); ++i) {
        if (i == 3) {  // Send, beside the input box
            Place(room.icons[i], sideX, inputY - 1, side, kInputHeight + 2);
        } else {
            const int x = sideX + static_cast<int>(i) * (side / 3);
            Place(room.icons[i], x, kMargin + 56, side / 3, 48);
        }
    }
}

// Formatting icons in a row above the message box; Send and the two after it at the bottom
// right, Send rightmost.
void LayoutInstantMessage(const Document& im, int width, int height) {
    constexpr int kMargin = 10, kBoxX = kMargin + 28, kBoxHeight = 24, kIconSize = 26;
    constexpr int kActionHeight = 28;
    Place(im.recipient, kBoxX, kMargin, width - kBoxX - kMargin, kBoxHeight);
    const int formatY = kMargin + kBoxHeight + 8;
    const int actionY = height - kMargin - kActionHeight;
    const int messageY = formatY + kIconSize + 6;
    Place(im.input, kMargin, messageY, width - 2 * kMargin, actionY - 8 - messageY);
    int formatX = kMargin;
    int actionRight = width - kMargin;
    for (std::size_t i = 0; i < im.icons.size(); ++i) {
        if (i >= 9 && i <= 11) {
            const int actionWidth = i == 9 ? 84 : 96;
            Place(im.icons[i], actionRight - actionWidth, actionY, actionWidth, kActionHeight);
            actionRight -= actionWidth + 8;
        } else {
            Place(im.icons[i], formatX, formatY, kIconSize, kIconSize);
            formatX += kIconSize + 4;
        }
    }
}

void Layout(const Document& document, int width, int height) {
    (document.kind == Kind::InstantMessage ? LayoutInstantMessage : LayoutRoom)(document, width,
                                                                                height);
}

// Puts the keyboard focus where typing belongs: a room's input box; an instant message's
// recipient, unless it is filled in already.
void Focus(const Document& document) {
    if (document.kind != Kind::InstantMessage) {
        SetFocus(document.input ? document.input : document.window);
    } else if (document.recipient) {
        SetFocus(GetWindowTextLengthA(document.recipient) > 0 ? document.input
                                                              : document.recipient);
    }
}

void RestoreDocumentOrder() {
    if (!IsWindow(g.area)) return;
    std::vector<HWND> wanted;
    for (const auto& document : g.documents) {
        if (IsWindow(document->window)) wanted.push_back(document->window);
    }
    std::vector<HWND> listed;
    for (HWND child = GetWindow(g.area, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (std::find(wanted.begin(), wanted.end(), child) != wanted.end()) listed.push_back(child);
    }
    if (listed == wanted) return;
    HWND after = HWND_TOP;
    for (const HWND window : wanted) {
        SetWindowPos(window, after, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        after = window;
    }
}

// Activating a document makes the system raise it to the top, so the order is put back each
// time, once the handling in progress is done.
void DocumentOrderTouched() {
    if (g.orderCheckPending) return;
    g.orderCheckPending = true;
    Defer([] {
        g.orderCheckPending = false;
        RestoreDocumentOrder();
    });
}

// The system may already have made a new document active, and focused the document window
// itself, while it was being made; so the focus is placed here as well.
void Activate(const Document& document) {
    SendMessageA(g.area, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document.window), 0);
    if (reinterpret_cast<HWND>(SendMessageA(g.area, WM_MDIGETACTIVE, 0, 0)) == document.window) {
        Focus(document);
    }
    RestoreDocumentOrder();
}

void ActivateFirstRoom() {
    for (const auto& document : g.documents) {
        if (document->kind == Kind::Room && IsWindow(document->window)) {
            Activate(*document);
            return;
        }
    }
    RestoreDocumentOrder();
}

// Makes a document window (shown by ShowDocument), placed at `at` in the intended order.
Document& AddDocument(std::size_t at, Kind kind, std::string role, const char* title,
                      const RECT& rect) {
    auto owned = std::make_unique<Document>();
    owned->kind = kind;
    owned->role = std::move(role);
    Document& document = *owned;
    g.documents.insert(g.documents.begin() + static_cast<std::ptrdiff_t>(at), std::move(owned));
    document.window = CreateWindowExA(WS_EX_MDICHILD, kDocumentClass, title,
                                      WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect.left,
                                      rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                      g.area, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(document.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&document));
    SetRole(document.window, document.role);
    return document;
}

void ShowDocument(Document& document) {
    RECT client{};
    GetClientRect(document.window, &client);
    Layout(document, client.right, client.bottom);
    ShowWindow(document.window, SW_SHOWNOACTIVATE);
}

// A row of icons with the looks given, in turn.
template <std::size_t N>
std::vector<HWND> AddIcons(HWND parent, int firstId, const IconLook (&looks)[N],
                           const std::string& role) {
    std::vector<HWND> icons;
    for (int i = 0; i < static_cast<int>(N); ++i) {
        icons.push_back(
            CreateIcon(parent, firstId + i, looks[i], role + ".icon" + std::to_string(i + 1)));
    }
    return icons;
}

// Child order is creation order: transcript, input box, drop-down, icons, label. A plain
// document has neither transcript nor drop-down.
void OpenRoomLike(Document& room) {
    const bool plain = room.kind == Kind::Plain;
    if (!plain) {
        room.transcript = CreateChild(room.window, "RICHCNTLREADONLY", "",
                                      ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
                                      WS_EX_CLIENTEDGE, 101, room.role + ".transcript");
        SendMessageA(room.transcript, WM_SETFONT, reinterpret_cast<WPARAM>(Font(FontKind::Chat)),
                     FALSE);
    }
    room.input =
        CreateChild(room.window, "RICHCNTL", "", ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE, 102, room.role + ".input");
    if (!plain && g.options.hangInput) MakeBoxHang(room.input);
    if (!plain) {
        room.combo =
            CreateChild(room.window, "_AOL_Combobox", "",
                        CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 103, room.role + ".combo");
        for (const char* person : {kScreenName, "Torvik", "Zennoq03"}) {
            SendMessageA(room.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(person));
        }
        SendMessageA(room.combo, CB_SETCURSEL, 0, 0);
    }
    room.icons = AddIcons(room.window, kFirstRoomIconId, kRoomIcons, room.role);
    room.label = CreateChild(room.window, "_AOL_Static", "People here: 3", SS_LEFT, 0, 104,
                             room.role + ".label");
    ShowDocument(room);
}

// A plain document: a room's box, icons and label, but neither transcript nor drop-down.
void OpenPlainDocument(int number) {
    const std::string title = "Document " + std::to_string(number);
    OpenRoomLike(AddDocument(g.documents.size(), Kind::Plain, "doc" + std::to_string(number),
                             title.c_str(), PlainDocumentRect((number - 1) % 20)));
}

// Child order: recipient box, message box, icons.
void OpenInstantMessageWindow() {
    const RECT rect = InstantMessageRect();
    Document& im = AddDocument(0, Kind::InstantMessage, "im" + std::to_string(++g.imsOpened),
                               kInstantMessageTitle, rect);
    im.recipient = CreateChild(im.window, "_AOL_Edit", "", ES_AUTOHSCROLL | WS_TABSTOP,
                               WS_EX_CLIENTEDGE, 201, im.role + ".recipient");
    im.input = CreateChild(im.window, "RICHCNTL", "",
                           ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                           WS_EX_CLIENTEDGE, 202, im.role + ".message");
    im.icons = AddIcons(im.window, kFirstImIconId, kImIcons, im.role);
    ShowDocument(im);
    Activate(im);
    RecordEvent("imopen", im.role);
}

void CloseDocument(HWND window) {
    if (IsWindow(window)) SendMessageA(g.area, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    RestoreDocumentOrder();
}

void TakeLine(const Document& room) {
    const std::string line = WindowBytes(room.input);
    if (line.empty()) return;  // the client does not send empty lines
    // A slow client: the sender of the Enter waits this long for its answer.
    if (g.options.lineDelayMs > 0) Sleep(static_cast<DWORD>(g.options.lineDelayMs));
    if (room.transcript) AppendChatLine(room.transcript, kScreenName, line);
    SetWindowTextA(room.input, "");
    RecordEvent("line", room.role, line);
}

void ShowStatus() {
    std::string text = g.imsOn ? "IMs on" : "IMs off";
    if (!g.lastIm.empty()) text += "  |  " + g.lastIm;
    SetWindowTextA(g.status, text.c_str());
    InvalidateRect(g.status, nullptr, TRUE);
}

// To "$IM_on" or "$IM_off" (without case or spaces) it switches the indicator; to anyone
// else the status strip shows it. The window then closes.
void SendInstantMessage(const Document& im) {
    const std::string recipient = WindowBytes(im.recipient);
    if (recipient.empty()) {
        MessageBeep(MB_ICONWARNING);
        SetFocus(im.recipient);
        return;
    }
    std::string text = WindowBytes(im.input);
    RecordEvent("im", Narrow(Widen(recipient, CP_ACP), CP_UTF8), text);
    std::string key;
    for (const char c : recipient) {
        if (c != ' ') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (key == "$im_on" || key == "$im_off") {
        g.imsOn = key == "$im_on";
        RecordEvent("indicator", g.imsOn ? "on" : "off");
    } else {
        std::replace_if(
            text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; },
            ' ');
        g.lastIm = "IM to " + recipient + ": " + text;
    }
    ShowStatus();
    const HWND closing = im.window;
    Defer([closing] {
        CloseDocument(closing);
        ActivateFirstRoom();
    });
}

// Enter in a room's box takes the line (a plain document swallows it, leaving the text);
// in a recipient box it moves on to the message; in a message box it is a line break.
LRESULT OnEnterInBox(const Document& document, HWND box) {
    if (document.kind == Kind::Room) TakeLine(document);
    if (document.kind != Kind::InstantMessage) return 1;
    if (box != document.recipient) return 0;
    SetFocus(document.input);
    return 1;
}

void OnDocumentCommand(const Document& document, int id, int code) {
    if (code != BN_CLICKED) return;
    if (document.kind == Kind::Room && id == kRoomSendIconId) TakeLine(document);
    if (document.kind == Kind::InstantMessage && id == kImSendIconId) SendInstantMessage(document);
}

void PaintInstantMessage(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    DrawLabel(dc, "To:", RECT{10, 10, 38, 34}, FontKind::Bold, kCaptionColour,
              DT_LEFT | DT_VCENTER);
    EndPaint(window, &paint);
}

LRESULT CALLBACK DocumentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    auto* document = reinterpret_cast<Document*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (document == nullptr) return DefMDIChildProcA(window, message, wParam, lParam);
    switch (message) {
        case kEnterInBox: return OnEnterInBox(*document, reinterpret_cast<HWND>(lParam));
        case WM_COMMAND: OnDocumentCommand(*document, LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_SETFOCUS: {
            const LRESULT result = DefMDIChildProcA(window, message, wParam, lParam);
            Focus(*document);
            return result;
        }
        case WM_SIZE: Layout(*document, LOWORD(lParam), HIWORD(lParam)); break;
        case WM_PAINT:
            if (document->kind != Kind::InstantMessage) break;
            PaintInstantMessage(window);
            return 0;
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            SetTextColor(reinterpret_cast<HDC>(wParam), kCaptionColour);
            return reinterpret_cast<LRESULT>(Brush(kDocumentColour));
        case WM_MDIACTIVATE: DocumentOrderTouched(); break;
        case WM_WINDOWPOSCHANGED:
            if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER)) {
                DocumentOrderTouched();
            }
            break;
        case WM_NCDESTROY: {
            const LRESULT result = DefMDIChildProcA(window, message, wParam, lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            std::erase_if(g.documents, [document](const auto& d) { return d.get() == document; });
            return result;
        }
        default: break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

// Both toolbar levels pass their icons' presses up to the main window; the host keeps the bar
// beside the brand.
LRESULT CALLBACK ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    const bool host = GetParent(window) == g.frame;
    switch (message) {
        case WM_COMMAND: return SendMessageA(GetParent(window), message, wParam, lParam);
        case WM_SIZE:
            if (host) {
                Place(GetWindow(window, GW_CHILD), 0, 0, LOWORD(lParam) - kBrandWidth,
                      HIWORD(lParam));
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            RECT client{};
            GetClientRect(window, &client);
            const RECT edge{0, client.bottom - 1, client.right, client.bottom};
            FillRect(dc, &edge, Brush(kEdgeColour));
            const RECT brand{client.right - kBrandWidth, 0, client.right - 12, client.bottom};
            if (host) {
                DrawLabel(dc, "Stand-in Online", brand, FontKind::Brand, RGB(0x14, 0x4E, 0xA8),
                          DT_RIGHT | DT_VCENTER);
            }
            EndPaint(window, &paint);
            return 0;
        }
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The instant-message indicator and the last instant message sent to an ordinary recipient.
LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    const RECT edge{0, 0, client.right, 1};
    FillRect(dc, &edge, Brush(kEdgeColour));
    const COLORREF colour = g.imsOn ? RGB(0x2E, 0x8B, 0x4A) : RGB(0xA8, 0x3A, 0x3A);
    const RECT pill{8, 4, 78, client.bottom - 4};
    FillRounded(dc, pill, 12, colour, Darker(colour, 20));
    DrawLabel(dc, g.imsOn ? "IMs on" : "IMs off", pill, FontKind::Bold, RGB(255, 255, 255),
              DT_CENTER | DT_VCENTER);
    const bool none = g.lastIm.empty();
    DrawLabel(dc, none ? "No instant messages sent" : g.lastIm.c_str(),
              RECT{90, 0, client.right - 8, client.bottom}, FontKind::Ui,
              none ? RGB(0x5A, 0x66, 0x78) : kCaptionColour,
              DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
    EndPaint(window, &paint);
    return 0;
}

LRESULT CALLBACK AreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    return CallWindowProcA(g.areaProc, window, message, wParam, lParam);
}

void LayoutFrame(int width, int height) {
    Place(g.toolbar, 0, 0, width, kToolbarHeight);
    Place(g.area, 0, kToolbarHeight, width, height - kToolbarHeight - kStatusHeight);
    Place(g.status, 0, height - kStatusHeight, width, kStatusHeight);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    switch (message) {
        case WM_SIZE: LayoutFrame(LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) != kNewInstantMessageIconId || HIWORD(wParam) != BN_CLICKED) break;
            // The new window appears after a delay, on a timer.
            SetTimer(window, g.nextTimer++, kInstantMessageDelayMs, nullptr);
            return 0;
        case WM_TIMER:
            if (KillTimer(window, wParam)) OpenInstantMessageWindow();
            return 0;
        case WM_DESTROY:
            RecordEvent("quit", "main");
            PostQuitMessage(0);
            return 0;
        default: break;
    }
    return DefFrameProcA(window, g.area, message, wParam, lParam);
}

// Child order of the main window: toolbar host, document area, status strip.
bool CreateFrame() {
    const Options& o = g.options;
    g.frame = CreateWindowExA(0, kFrameClass, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              o.position.x, o.position.y, o.size.cx, o.size.cy, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (g.frame == nullptr) return false;
    SetRole(g.frame, "main");
    g.toolbar = CreateChild(g.frame, kToolbarHostClass, "", WS_CLIPCHILDREN, 0, 0, "toolbar.host");
    const HWND bar = CreateChild(g.toolbar, kToolbarClass, "", WS_CLIPCHILDREN, 0, 0, "toolbar");
    const std::vector<HWND> icons = AddIcons(bar, kFirstToolbarIconId, kToolbarIcons, "toolbar");
    for (std::size_t i = 0; i < icons.size(); ++i) Place(icons[i], 8 + 56 * int(i), 4, 54, 52);
    CLIENTCREATESTRUCT documents{nullptr, kFirstDocumentId};
    g.area = CreateChild(g.frame, "MDICLIENT", nullptr, WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, 0,
                         "area", &documents);
    g.areaProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g.area, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AreaProc)));
    g.status = CreateChild(g.frame, kStatusClass, "IMs on", 0, 0, 0, "status");
    RECT client{};
    GetClientRect(g.frame, &client);
    LayoutFrame(client.right, client.bottom);
    return true;
}

// Plain documents first, then the room, which ends up active with the focus in its box.
void OpenStartingDocuments() {
    for (int i = 1; i <= g.options.documents; ++i) OpenPlainDocument(i);
    OpenRoomLike(AddDocument(g.documents.size(), Kind::Room, "room1", "Lobby", RoomRect()));
    ActivateFirstRoom();
}

}  // namespace

int RunClient(const Options& options) {
    g.options = options;
    RegisterControlClasses();
    RegisterWindowClass(kFrameClass, FrameProc, nullptr, GetSysColor(COLOR_APPWORKSPACE));
    RegisterWindowClass(kDocumentClass, DocumentProc);
    RegisterWindowClass(kToolbarHostClass, ToolbarProc, nullptr, kToolbarColour);
    RegisterWindowClass(kToolbarClass, ToolbarProc, nullptr, kToolbarColour);
    RegisterWindowClass(kStatusClass, StatusProc, nullptr, kStatusColour);
    if (!CreateFrame()) return 1;
    OpenStartingDocuments();
    ShowWindow(g.frame, SW_SHOWNORMAL);
    UpdateWindow(g.frame);
    RunDeferred();
    RestoreDocumentOrder();
    RecordEvent("ready", "main");

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!TranslateMDISysAccel(g.area, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        RunDeferred();
    }
    return static_cast<int>(message.wParam);
}

}  // namespace standin
