#include "panel/tooltip_texts.h"

#include <initializer_list>
#include <string_view>

#include "panel/layout.h"
#include "panel/status_lines.h"

namespace quillow::tips {
namespace {

// The text between the tags, white space kept as it is.
std::string WithoutTags(std::string_view markup) {
    std::string text;
    bool inTag = false;
    for (const char c : markup) {
        if (c == '<') inTag = true;
        if (!inTag) text += c;
        if (c == '>') inTag = false;
    }
    return text;
}

std::string CollapseSpaces(std::string_view text) {
    std::string collapsed;
    bool space = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            space = !collapsed.empty();
            continue;
        }
        if (space) collapsed += ' ';
        space = false;
        collapsed += c;
    }
    return collapsed;
}

// A line as the room shows it: the markup dropped, every run of white space one space, and
// none at either end.
std::string AsShown(std::string_view line) { return CollapseSpaces(WithoutTags(line)); }

// A reason line with the placeholder where the reason goes. The placeholder looks like a tag,
// so it goes in only once the pieces' own tags are gone.
std::string ReasonLineAsShown(std::string_view before, std::string_view after) {
    return CollapseSpaces(WithoutTags(before) + std::string(layout::kTipReasonPlaceholder) +
                          WithoutTags(after));
}

std::string Rows(std::initializer_list<std::string> rows) {
    std::string text;
    for (const std::string& row : rows) {
        if (!text.empty()) text += '\n';
        text += row;
    }
    return text;
}

std::string Sends(std::string_view message, std::string_view recipient, std::string_view effect) {
    return std::string(layout::kTipSendsLead) + " \"" + std::string(message) + "\" to " +
           std::string(recipient) + ", " + std::string(effect);
}

}  // namespace

std::string TipText(int id) {
    const std::string posts(layout::kTipPostsLead);
    switch (id) {
        case layout::kStartId:
            return Rows({posts, AsShown(lines::kWentIdle),
                         ReasonLineAsShown(lines::kIdleCauseBefore, lines::kIdleCauseAfter)});
        case layout::kStopId: return Rows({posts, AsShown(lines::kCameBack)});
        case layout::kImOnId:
            return Rows(
                {posts, AsShown(lines::kImsOn),
                 Sends(lines::kImOnMessage, lines::kImOnRecipient, layout::kTipImOnEffect)});
        case layout::kImOffId:
            return Rows(
                {posts, AsShown(lines::kImsOff),
                 Sends(lines::kImOffMessage, lines::kImOffRecipient, layout::kTipImOffEffect)});
        case layout::kClearChatId: return std::string(layout::kTipClearChat);
        case layout::kExitId:
            return Rows({posts, AsShown(lines::kExit), std::string(layout::kTipExitEnds)});
        case layout::kAdvId: return Rows({posts, AsShown(lines::kCredit)});
        case layout::kConId:
            return Rows({posts, AsShown(lines::kContactTorvik), AsShown(lines::kContactZennoq)});
        case layout::kText1Id: return std::string(layout::kTipReasonBox);
        default: return {};
    }
}

}  // namespace quillow::tips
