// Breaks a line made of styled runs into rows no wider than the pane, at spaces.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

// A stretch of one run placed on a row, `x` pixels from the row's left edge.
struct PlacedPiece {
    std::size_t run = 0;
    std::size_t begin = 0;
    std::size_t length = 0;
    int x = 0;
};

using WrappedRow = std::vector<PlacedPiece>;

// Width in pixels of some text of run `run`.
using MeasureText = std::function<int(std::wstring_view text, std::size_t run)>;

// Spaces stay with the word before them, so a continuation row starts with a word and begins
// `indent` pixels in. A word wider than a whole row is left to overflow it. A line always has
// at least one row.
std::vector<WrappedRow> WrapRuns(const std::vector<std::wstring>& runs, int width, int indent,
                                 const MeasureText& measure);

}  // namespace standin
