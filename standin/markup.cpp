#include "standin/markup.h"

#include <cctype>

namespace standin {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[at + i]) != prefix[i]) return false;
    }
    return true;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The colour of a "color=#RRGGBB" attribute (quotes and the '#' optional), if the tag's
// attributes hold a readable one.
std::optional<Colour> ColourAttribute(std::string_view attributes) {
    for (std::size_t at = 0; at < attributes.size(); ++at) {
        if (!StartsWithNoCase(attributes, at, "color")) continue;
        std::size_t i = at + 5;
        while (i < attributes.size() && IsSpace(attributes[i])) ++i;
        if (i >= attributes.size() || attributes[i] != '=') continue;
        ++i;
        while (i < attributes.size() && IsSpace(attributes[i])) ++i;
        if (i < attributes.size() && (attributes[i] == '"' || attributes[i] == '\'')) ++i;
        if (i < attributes.size() && attributes[i] == '#') ++i;
        if (attributes.size() - i < 6) return std::nullopt;
        int channels[3] = {};
        for (int c = 0; c < 3; ++c) {
            const int high = HexDigit(attributes[i + 2 * c]);
            const int low = HexDigit(attributes[i + 2 * c + 1]);
            if (high < 0 || low < 0) return std::nullopt;
            channels[c] = high * 16 + low;
        }
        return Colour{static_cast<std::uint8_t>(channels[0]),
                      static_cast<std::uint8_t>(channels[1]),
                      static_cast<std::uint8_t>(channels[2])};
    }
    return std::nullopt;
}

enum class TagKind { None, Open, Close };

struct Tag {
    TagKind kind = TagKind::None;
    std::size_t end = 0;  // just past the '>'
    std::optional<Colour> colour;
};

// Recognises "<font ...>" and "</font>" (any case) starting at `at`.
Tag ReadFontTag(std::string_view line, std::size_t at) {
    Tag tag;
    const bool closing = StartsWithNoCase(line, at, "</font");
    if (!closing && !StartsWithNoCase(line, at, "<font")) return tag;
    const std::size_t nameEnd = at + (closing ? 6 : 5);
    if (nameEnd >= line.size()) return tag;
    if (line[nameEnd] != '>' && !IsSpace(line[nameEnd])) return tag;  // e.g. "<fontx"
    const std::size_t close = line.find('>', nameEnd);
    if (close == std::string_view::npos) return tag;
    tag.kind = closing ? TagKind::Close : TagKind::Open;
    tag.end = close + 1;
    if (!closing) tag.colour = ColourAttribute(line.substr(nameEnd, close - nameEnd));
    return tag;
}

void Add(std::vector<MarkupSegment>& segments, std::string& text,
         const std::optional<Colour>& colour) {
    if (text.empty()) return;
    if (!segments.empty() && segments.back().colour == colour) {
        segments.back().text += text;
    } else {
        segments.push_back({text, colour});
    }
    text.clear();
}

}  // namespace

std::vector<MarkupSegment> ParseFontMarkup(std::string_view line) {
    std::vector<MarkupSegment> segments;
    std::vector<std::optional<Colour>> outer;  // colours to go back to, innermost last
    std::optional<Colour> colour;
    std::string text;
    std::size_t i = 0;
    while (i < line.size()) {
        const Tag tag = line[i] == '<' ? ReadFontTag(line, i) : Tag{};
        if (tag.kind == TagKind::None) {
            text += line[i++];
            continue;
        }
        Add(segments, text, colour);
        if (tag.kind == TagKind::Open) {
            outer.push_back(colour);
            if (tag.colour) colour = tag.colour;
        } else if (!outer.empty()) {
            colour = outer.back();
            outer.pop_back();
        }
        i = tag.end;
    }
    Add(segments, text, colour);
    return segments;
}

std::string VisibleText(const std::vector<MarkupSegment>& segments) {
    std::string text;
    for (const MarkupSegment& segment : segments) text += segment.text;
    return text;
}

}  // namespace standin
