// "AOL Child": a document window in the client's multiple-document area (a chat room, an
// instant-message window, ...). One class serves them all; each window is driven by the
// Document object attached to it.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

namespace standin {

class ChatRoom;
class Document;
class InstantMessageWindow;

// What the documents tell the client.
class ClientEvents {
public:
    virtual ~ClientEvents() = default;

    // A room took a line from its input box (the box's bytes, markup included).
    virtual void LineTaken(ChatRoom& room, std::string_view line) = 0;
    // Send was pressed in an instant-message window with a recipient filled in.
    virtual void InstantMessageSent(InstantMessageWindow& window, std::string_view recipient,
                                    std::string_view text) = 0;
    // The document's window is being destroyed; the client drops (deletes) the document.
    virtual void DocumentGone(Document& document) = 0;
    // Document windows were activated or restacked, so their order may have to be restored.
    virtual void DocumentOrderTouched() = 0;
};

class Document {
public:
    Document(ClientEvents& events, std::string role) : events_(events), role_(std::move(role)) {}
    virtual ~Document() = default;

    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    HWND Window() const { return window_; }
    const std::string& Role() const { return role_; }

    static void RegisterClass(HINSTANCE instance);

    // Puts the keyboard focus where typing belongs in this document.
    virtual void Focus() { SetFocus(window_); }

protected:
    // Makes the document window (hidden until Show) and attaches this object to it.
    void CreateFrame(HWND area, const char* title, const RECT& rect);
    void Show();

    // A child control, given the role "<document role>.<part>".
    HWND CreateControl(const char* className, const char* text, DWORD style, DWORD exStyle, int id,
                       const RECT& rect, std::string_view part);

    // Places the controls for a client area of the given size.
    virtual void Layout(int width, int height) = 0;
    // Messages the document handles itself: true with the answer in `result`; false passes
    // the message on to the common handling of document windows.
    virtual bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    virtual void Paint(HDC dc, const RECT& client);

    ClientEvents& events_;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    std::string role_;
    HWND window_ = nullptr;
};

}  // namespace standin
