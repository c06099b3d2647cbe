#include "standin/message_scope.h"

#include <cstdio>
#include <deque>
#include <unordered_map>

#include "standin/record.h"

namespace standin {
namespace {

std::unordered_map<HWND, std::string>& Roles() {
    static std::unordered_map<HWND, std::string> roles;
    return roles;
}

int g_depth = 0;  // client window procedures running on this thread, nested
std::deque<std::function<void()>> g_deferred;

std::string_view TextOf(UINT message, LPARAM lParam) {
    if (message != WM_SETTEXT || lParam == 0) return {};
    return reinterpret_cast<const char*>(lParam);
}

}  // namespace

void SetRole(HWND window, std::string role) { Roles()[window] = std::move(role); }

std::string RoleOf(HWND window) {
    const auto found = Roles().find(window);
    if (found != Roles().end()) return found->second;
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "hwnd%p", static_cast<void*>(window));
    return fallback;
}

MessageScope::MessageScope(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    : window_(window), message_(message), fromOutside_(g_depth == 0 && InSendMessage()) {
    ++g_depth;
    if (!fromOutside_) return;
    const bool textMessage = message == WM_SETTEXT || message == WM_GETTEXT;
    RecordMessage(RoleOf(window), message, wParam, textMessage ? 0 : lParam,
                  TextOf(message, lParam));
}

MessageScope::~MessageScope() {
    if (message_ == WM_NCDESTROY) Roles().erase(window_);
    // The sender is still waiting: finish what this message set off before it is answered.
    if (fromOutside_) RunDeferred();
    --g_depth;
}

void Defer(std::function<void()> action) { g_deferred.push_back(std::move(action)); }

void RunDeferred() {
    // Messages that the deferred work sends to the client's windows are the client's own.
    ++g_depth;
    // Bounded, in case deferred work keeps deferring more.
    for (int round = 0; round < 8 && !g_deferred.empty(); ++round) {
        std::deque<std::function<void()>> batch;
        batch.swap(g_deferred);
        for (auto& action : batch) action();
    }
    --g_depth;
}

}  // namespace standin
