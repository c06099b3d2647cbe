// The stand-in client as a whole: the main window "AOL Frame25" with its toolbar, its
// multiple-document area ("MDIClient") and status strip, and the document windows in it.
//
// The area lists its document windows in a fixed order, whatever gets activated: open
// instant-message windows first (newest first), then the plain documents, then the decoys,
// then the chat rooms in the order they were opened. Activating a document makes the system
// raise it to the top, so the order is put back each time.
#pragma once

#include <memory>
#include <set>
#include <string_view>
#include <vector>

#include <windows.h>

#include "standin/document.h"
#include "standin/options.h"

namespace standin {

class Client final : public ClientEvents {
public:
    explicit Client(Options options);

    // Builds every window and writes the "ready" entry. False if the main window could not be
    // made.
    bool Start(HINSTANCE instance);

    // The message loop; returns the exit code.
    int Run();

    void LineTaken(ChatRoom& room, std::string_view line) override;
    void InstantMessageSent(InstantMessageWindow& window, std::string_view recipient,
                            std::string_view text) override;
    void DocumentGone(Document& document) override;
    void DocumentOrderTouched() override;

private:
    static void RegisterClasses(HINSTANCE instance);
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK AreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void CreateFrame(HINSTANCE instance);
    void LayoutFrame(int width, int height);
    void OpenStartingDocuments();
    ChatRoom& OpenRoom(std::size_t at, const char* title, const RECT& rect);
    void OpenPlainDocument(int number);
    void OpenDecoy(int number);
    void OpenInstantMessageWindow(std::string_view recipient, std::string_view draft);
    void ScheduleInstantMessageWindow();
    void OnTimer(UINT_PTR id);
    void CloseDocument(HWND window);
    void SwapRoom(HWND room);
    void ActivateFirstRoom();
    void Activate(Document& document);
    void RestoreDocumentOrder();

    RECT AreaClient() const;
    RECT RoomRect(int index) const;
    RECT DecoyRect(int index) const;
    RECT InstantMessageRect() const;

    Options options_;
    HWND frame_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND area_ = nullptr;
    HWND status_ = nullptr;
    std::vector<std::unique_ptr<Document>> documents_;  // in the area's intended order
    int roomsOpened_ = 0;
    int instantMessageWindowsOpened_ = 0;
    int linesTaken_ = 0;
    bool orderCheckPending_ = false;
    std::set<UINT_PTR> instantMessageTimers_;
    UINT_PTR nextTimer_ = 1;
};

}  // namespace standin
