#include "standin/client.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "automation/client_windows.h"
#include "standin/chat_room.h"
#include "standin/icon_button.h"
#include "standin/instant_message_window.h"
#include "standin/message_scope.h"
#include "standin/private_messages.h"
#include "standin/record.h"
#include "standin/status_bar.h"
#include "standin/system_superclasses.h"
#include "standin/theme.h"
#include "standin/toolbar.h"
#include "standin/transcript_pane.h"
#include "standin/win_text.h"

namespace standin {
namespace {

constexpr char kTitle[] = "Stand-in Chat Client";
constexpr UINT kFirstDocumentId = 50000;
constexpr int kDefaultWidth = 900;
constexpr int kDefaultHeight = 640;

constexpr const char* kDecoyTitles[] = {"Welcome", "Buddy List", "Mail Center",
                                        "People Directory"};

WNDPROC g_areaProc = nullptr;

// Screen names compare without case and spaces.
std::string ScreenNameKey(std::string_view name) {
    std::string key;
    for (const char c : name) {
        if (c != ' ') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

// A plain document has a box, icons and a label, but neither a transcript nor a drop-down.
RoomParts PlainDocumentParts() {
    RoomParts parts;
    parts.transcript = false;
    parts.comboBox = false;
    return parts;
}

// The decoy of a given number lacks one of the four controls a room is known by, in turn.
RoomParts DecoyParts(int number) {
    RoomParts parts;
    switch ((number - 1) % 4) {
        case 0: parts.transcript = false; break;
        case 1: parts.comboBox = false; break;
        case 2: parts.icons = false; break;
        default: parts.label = false; break;
    }
    return parts;
}

RECT Fit(RECT rect, const RECT& area) {
    const int width = std::min<int>(rect.right - rect.left, std::max<int>(200, area.right - 8));
    const int height = std::min<int>(rect.bottom - rect.top, std::max<int>(150, area.bottom - 8));
    rect.left = std::max<int>(0, std::min<int>(rect.left, area.right - width));
    rect.top = std::max<int>(0, std::min<int>(rect.top, area.bottom - height));
    return RECT{rect.left, rect.top, rect.left + width, rect.top + height};
}

}  // namespace

Client::Client(Options options) : options_(std::move(options)) {}

void Client::RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = quillow::client::kMainWindow.data();
    RegisterClassExA(&wc);

    Document::RegisterClass(instance);
    RegisterIconClass(instance);
    RegisterTranscriptClass(instance);
    RegisterSystemSuperclasses(instance);
    RegisterToolbarClasses(instance);
    RegisterStatusBarClass(instance);
}

bool Client::Start(HINSTANCE instance) {
    RegisterClasses(instance);
    CreateFrame(instance);
    if (frame_ == nullptr) return false;
    OpenStartingDocuments();
    ShowWindow(frame_, SW_SHOWNORMAL);
    UpdateWindow(frame_);
    RunDeferred();
    RestoreDocumentOrder();
    RecordEvent("ready", "main");
    return true;
}

int Client::Run() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (area_ == nullptr || !TranslateMDISysAccel(area_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        RunDeferred();
    }
    return static_cast<int>(message.wParam);
}

// Child order of the main window: toolbar host, document area, status strip.
void Client::CreateFrame(HINSTANCE instance) {
    const int x = options_.position ? options_.position->x : CW_USEDEFAULT;
    const int y = options_.position ? options_.position->y : CW_USEDEFAULT;
    const int width = options_.size ? options_.size->width : kDefaultWidth;
    const int height = options_.size ? options_.size->height : kDefaultHeight;
    frame_ = CreateWindowExA(0, quillow::client::kMainWindow.data(), kTitle,
                             WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width, height, nullptr,
                             nullptr, instance, this);
    if (frame_ == nullptr) return;
    SetRole(frame_, "main");

    toolbar_ = CreateToolbar(frame_, options_.toolbarIcons);

    CLIENTCREATESTRUCT documents{nullptr, kFirstDocumentId};
    area_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100, 100, frame_,
                            nullptr, instance, &documents);
    SetRole(area_, "area");
    g_areaProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(area_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AreaProc)));

    status_ = CreateStatusBar(frame_);

    RECT client{};
    GetClientRect(frame_, &client);
    LayoutFrame(client.right, client.bottom);
}

void Client::LayoutFrame(int width, int height) {
    if (toolbar_) MoveWindow(toolbar_, 0, 0, width, theme::kToolbarHeight, TRUE);
    if (status_) {
        MoveWindow(status_, 0, height - theme::kStatusHeight, width, theme::kStatusHeight, TRUE);
    }
    if (area_) {
        MoveWindow(area_, 0, theme::kToolbarHeight, width,
                   std::max(0, height - theme::kToolbarHeight - theme::kStatusHeight), TRUE);
    }
}

// Plain documents first, then decoys, then the rooms, then an instant-message window if one
// is asked for, which goes to the front; the first room ends up active with the focus in its
// input box.
void Client::OpenStartingDocuments() {
    for (int i = 1; i <= options_.documents; ++i) OpenPlainDocument(i);
    for (int i = 1; i <= options_.decoys; ++i) OpenDecoy(i);
    for (int i = 0; i < options_.rooms; ++i) {
        const std::string title = i == 0 ? "Lobby" : "Lobby " + std::to_string(i + 1);
        OpenRoom(documents_.size(), title.c_str(), RoomRect(i));
    }
    if (options_.imOpenDraft) {
        OpenInstantMessageWindow("someone", Utf8ToAnsi(*options_.imOpenDraft));
    }
    ActivateFirstRoom();
}

ChatRoom& Client::OpenRoom(std::size_t at, const char* title, const RECT& rect) {
    RoomParts parts;
    parts.transcriptAfterInput = options_.transcriptAfterInput;
    auto room = std::make_unique<ChatRoom>(*this, "room" + std::to_string(++roomsOpened_), parts,
                                           true);
    ChatRoom& opened = *room;
    documents_.insert(documents_.begin() + static_cast<std::ptrdiff_t>(at), std::move(room));
    opened.Open(area_, title, rect, options_.hangInput);
    return opened;
}

void Client::OpenPlainDocument(int number) {
    auto document = std::make_unique<ChatRoom>(*this, "doc" + std::to_string(number),
                                               PlainDocumentParts(), false);
    ChatRoom& opened = *document;
    documents_.push_back(std::move(document));
    const std::string title = "Document " + std::to_string(number);
    opened.Open(area_, title.c_str(), DecoyRect((number - 1) % 20), false);
}

void Client::OpenDecoy(int number) {
    auto decoy = std::make_unique<ChatRoom>(*this, "decoy" + std::to_string(number),
                                            DecoyParts(number), false);
    ChatRoom& opened = *decoy;
    documents_.push_back(std::move(decoy));
    const int titles = static_cast<int>(std::size(kDecoyTitles));
    std::string title = kDecoyTitles[(number - 1) % titles];
    if (number > titles) title.append(" ").append(std::to_string((number - 1) / titles + 1));
    opened.Open(area_, title.c_str(), DecoyRect(number - 1), false);
}

void Client::OpenInstantMessageWindow(std::string_view recipient, std::string_view draft) {
    auto window = std::make_unique<InstantMessageWindow>(
        *this, "im" + std::to_string(++instantMessageWindowsOpened_), options_.imIcons);
    InstantMessageWindow& opened = *window;
    const RECT rect = InstantMessageRect();
    documents_.insert(documents_.begin(), std::move(window));
    opened.Open(area_, rect, recipient, draft);
    Activate(opened);
    RecordEvent("imopen", opened.Role());
}

void Client::ScheduleInstantMessageWindow() {
    const UINT_PTR id = nextTimer_++;
    instantMessageTimers_.insert(id);
    SetTimer(frame_, id, std::min<unsigned>(options_.imDelayMs, USER_TIMER_MAXIMUM), nullptr);
}

void Client::OnTimer(UINT_PTR id) {
    if (instantMessageTimers_.erase(id) == 0) return;
    KillTimer(frame_, id);
    OpenInstantMessageWindow("", "");
}

void Client::CloseDocument(HWND window) {
    if (IsWindow(window)) SendMessageA(area_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    RestoreDocumentOrder();
}

void Client::SwapRoom(HWND room) {
    const auto found = std::find_if(documents_.begin(), documents_.end(),
                                    [room](const auto& d) { return d->Window() == room; });
    if (found == documents_.end()) return;
    const std::size_t at = static_cast<std::size_t>(found - documents_.begin());
    RECT rect{};
    GetWindowRect(room, &rect);
    MapWindowPoints(nullptr, area_, reinterpret_cast<POINT*>(&rect), 2);

    CloseDocument(room);
    Activate(OpenRoom(std::min(at, documents_.size()), "Lobby (new)", rect));
}

void Client::ActivateFirstRoom() {
    for (const auto& document : documents_) {
        const auto* room = dynamic_cast<const ChatRoom*>(document.get());
        if (room && room->TakesLines() && IsWindow(room->Window())) {
            Activate(*document);
            return;
        }
    }
    RestoreDocumentOrder();
}

// The system may already have made a new document active, and focused the document window
// itself, while it was being created; so the focus is placed here as well.
void Client::Activate(Document& document) {
    SendMessageA(area_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document.Window()), 0);
    const auto active = reinterpret_cast<HWND>(SendMessageA(area_, WM_MDIGETACTIVE, 0, 0));
    if (active == document.Window()) document.Focus();
    RestoreDocumentOrder();
}

void Client::RestoreDocumentOrder() {
    if (!IsWindow(area_)) return;
    std::vector<HWND> wanted;
    for (const auto& document : documents_) {
        if (IsWindow(document->Window())) wanted.push_back(document->Window());
    }
    std::vector<HWND> listed;
    for (HWND child = GetWindow(area_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
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

void Client::LineTaken(ChatRoom& room, std::string_view line) {
    ++linesTaken_;
    RecordEvent("line", room.Role(), line);
    const HWND window = room.Window();
    if (options_.swapRoomAfterLines == linesTaken_) Defer([this, window] { SwapRoom(window); });
    // Posted, so the sender of the Enter has its answer before the client goes.
    if (options_.quitAfterLines == linesTaken_) PostMessageA(frame_, kQuitNow, 0, 0);
}

void Client::InstantMessageSent(InstantMessageWindow& window, std::string_view recipient,
                                std::string_view text) {
    RecordEvent("im", AnsiToUtf8(recipient), text);
    const std::string key = ScreenNameKey(recipient);
    if (key == "$im_on" || key == "$im_off") {
        const bool on = key == "$im_on";
        RecordEvent("indicator", on ? "on" : "off");
        ShowIndicator(status_, on);
    } else {
        ShowLastInstantMessage(status_, recipient, text);
    }
    const HWND closing = window.Window();
    Defer([this, closing] {
        CloseDocument(closing);
        ActivateFirstRoom();
    });
}

void Client::DocumentGone(Document& document) {
    std::erase_if(documents_, [&document](const auto& d) { return d.get() == &document; });
}

void Client::DocumentOrderTouched() {
    if (orderCheckPending_) return;
    orderCheckPending_ = true;
    Defer([this] {
        orderCheckPending_ = false;
        RestoreDocumentOrder();
    });
}

RECT Client::AreaClient() const {
    RECT client{};
    GetClientRect(area_, &client);
    return client;
}

RECT Client::RoomRect(int index) const {
    const RECT area = AreaClient();
    const int offset = 10 + 26 * index;
    const int width = std::min<int>(660, area.right - 20);
    return Fit(RECT{offset, offset, offset + width, offset + area.bottom - 20 - 26 * index}, area);
}

RECT Client::DecoyRect(int index) const {
    const RECT area = AreaClient();
    const int x = area.right - 330 - 22 * index;
    const int y = 10 + 22 * index;
    return Fit(RECT{x, y, x + 320, y + 190}, area);
}

RECT Client::InstantMessageRect() const {
    const RECT area = AreaClient();
    int open = 0;
    for (const auto& document : documents_) {
        if (dynamic_cast<const InstantMessageWindow*>(document.get())) ++open;
    }
    const int x = area.right - 430 - 22 * open;
    const int y = area.bottom - 290 - 22 * open;
    return Fit(RECT{x, y, x + 420, y + 280}, area);
}

LRESULT CALLBACK Client::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* client = reinterpret_cast<Client*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (client == nullptr) return DefFrameProcA(window, nullptr, message, wParam, lParam);
    return client->HandleFrame(window, message, wParam, lParam);
}

LRESULT CALLBACK Client::AreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const MessageScope scope(window, message, wParam, lParam);
    return CallWindowProcA(g_areaProc, window, message, wParam, lParam);
}

LRESULT Client::HandleFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            LayoutFrame(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kNewInstantMessageIconId && HIWORD(wParam) == BN_CLICKED) {
                ScheduleInstantMessageWindow();
                return 0;
            }
            break;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case kQuitNow:
            // At once, without taking the windows down one by one: hiding a top-level window
            // can take seconds under Wine without a window manager, and a sender could run
            // into that.
            RecordEvent("quit", "main");
            ExitProcess(0);
        case WM_DESTROY:
            RecordEvent("quit", "main");
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefFrameProcA(window, area_, message, wParam, lParam);
}

}  // namespace standin
