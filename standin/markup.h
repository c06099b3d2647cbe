// The font-colour markup of chat lines: "<font color=#RRGGBB>" switches the colour of the text
// that follows and "</font>" goes back to the colour before it. Font tags are not shown; every
// other byte, other tags included, is text. Works on the line's bytes as they arrived.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Colour&, const Colour&) = default;
};

struct MarkupSegment {
    std::string text;              // bytes to show, never empty
    std::optional<Colour> colour;  // none: the pane's default text colour

    friend bool operator==(const MarkupSegment&, const MarkupSegment&) = default;
};

// Neighbouring text of one colour comes back as one segment.
std::vector<MarkupSegment> ParseFontMarkup(std::string_view line);

// The bytes a reader sees: the segments' text joined.
std::string VisibleText(const std::vector<MarkupSegment>& segments);

}  // namespace standin
