// SPDX-License-Identifier: MIT
// The toolbox API's greedy selection: greedypick's walk over a list of any
// length, with any overlap threshold, areas from the boxes themselves.
#ifndef WINSCORE_GREEDYSELECT_KERNEL_HPP
#define WINSCORE_GREEDYSELECT_KERNEL_HPP

#include <cstdint>

namespace winscore::greedyselect {

// `boxes` is an N x 4 column-major matrix [xmin ymin xmax ymax], rows in order
// of preference. Each window's area is ((xmax - xmin) + 1) * ((ymax - ymin) + 1),
// written into `areas` (N entries). The greedy walk keeps windows whose
// overlap with every window kept before them is at most `threshold`, until
// numberKept are kept; `kept` (numberKept entries) receives their 1-based
// row numbers in order, and `marker` (N entries, all 0 on entry) is working
// space. Returns how many were kept.
std::int32_t selectWindows(double* kept, double* areas, double* marker, const double* boxes,
                           std::int32_t numberBoxes, std::int32_t numberKept, double threshold);

}  // namespace winscore::greedyselect

#endif
