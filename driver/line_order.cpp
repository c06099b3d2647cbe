#include "driver/line_order.h"

#include <algorithm>

namespace quillow::driver {

LineOrder ReadLineOrder(const std::vector<std::string>& lines, const std::vector<LinePair>& pairs) {
    LineOrder order;
    std::vector<int> open(pairs.size(), 0);
    int nested = 0;
    for (const std::string& line : lines) {
        const auto second = std::find_if(pairs.begin(), pairs.end(), [&](const LinePair& pair) {
            return line.starts_with(pair.secondBegins);
        });
        if (second != pairs.end()) {
            order.pairsMatch = order.pairsMatch && --open[second - pairs.begin()] >= 0;
            --nested;
            continue;
        }
        order.firstLines.push_back(line);
        const auto first = std::find_if(pairs.begin(), pairs.end(),
                                        [&](const LinePair& pair) { return line == pair.first; });
        if (first == pairs.end()) continue;
        ++open[first - pairs.begin()];
        order.deepestNesting = std::max(order.deepestNesting, ++nested);
    }
    order.pairsMatch =
        order.pairsMatch && std::all_of(open.begin(), open.end(), [](int n) { return n == 0; });
    return order;
}

}  // namespace quillow::driver
