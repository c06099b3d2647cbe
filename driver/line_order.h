// What the order of the lines a room took says about the commands that posted them. A command
// with two lines posts its first, waits, then its second; commands clicked during the wait run
// inside it, so pairs nest, and each second line must follow a first line of its own pair.
#pragma once

#include <string>
#include <vector>

namespace quillow::driver {

// A command's two lines: the first exactly, the second by how it begins.
struct LinePair {
    std::string first;
    std::string secondBegins;
};

struct LineOrder {
    // Every line that is no pair's second, in order: one a command, in the order of the clicks.
    std::vector<std::string> firstLines;
    // No pair's second line before a first line of its own, and as many of each in the end.
    bool pairsMatch = true;
    // The most pairs begun and not yet ended at once: how deep the waiting commands nested.
    int deepestNesting = 0;
};

LineOrder ReadLineOrder(const std::vector<std::string>& lines, const std::vector<LinePair>& pairs);

}  // namespace quillow::driver
