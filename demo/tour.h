// The tour itself: the options' actions, in their fixed order.
#pragma once

#include "demo/tour_options.h"

namespace quillow::demo {

// Runs the tour. Throws std::runtime_error, saying what went wrong, at the first failure.
void RunTour(const TourOptions& options);

}  // namespace quillow::demo
