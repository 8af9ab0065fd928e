// SPDX-License-Identifier: MIT
// The toolbox API's greedy selection: greedypick's walk over a list of any
// length, with any overlap threshold, areas from the boxes themselves.
#include "greedyselect_kernel.hpp"

#include "greedypick_kernel.hpp"

namespace winscore::greedyselect {

std::int32_t selectWindows(double* kept, double* areas, double* marker, const double* boxes,
                           std::int32_t numberBoxes, std::int32_t numberKept, double threshold) {
  const double* xmin = boxes;
  const double* ymin = boxes + numberBoxes;
  const double* xmax = boxes + 2 * static_cast<std::int64_t>(numberBoxes);
  const double* ymax = boxes + 3 * static_cast<std::int64_t>(numberBoxes);
  for (std::int32_t p = 0; p < numberBoxes; ++p)
    areas[p] = ((xmax[p] - xmin[p]) + 1.0) * ((ymax[p] - ymin[p]) + 1.0);
  greedypick::greedyPick(kept, marker, areas, xmin, ymin, xmax, ymax, numberBoxes, numberKept,
                         false, threshold);
  std::int32_t count = 0;
  for (; count < numberKept && kept[count] >= 0.0; ++count) kept[count] += 1.0;
  return count;
}

}  // namespace winscore::greedyselect
