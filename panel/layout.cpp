#include "panel/layout.h"

#include <algorithm>

namespace quillow::layout {

std::array<Control, kControls.size()> InTabOrder() {
    auto controls = kControls;
    std::sort(controls.begin(), controls.end(),
              [](const Control& a, const Control& b) { return a.tabIndex < b.tabIndex; });
    return controls;
}

}  // namespace quillow::layout
