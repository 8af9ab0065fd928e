// SPDX-License-Identifier: MIT
// Greedy suppression of windows that overlap a kept window by more than half.
#ifndef WINSCORE_GREEDYPICK_KERNEL_HPP
#define WINSCORE_GREEDYPICK_KERNEL_HPP

#include <cstdint>

namespace winscore::greedypick {

// The number of positions in every window list the plug-in walks.
constexpr std::int32_t kListLength = 100000;

// Overlap of windows i and j as intersection over union, with inclusive
// bounds (each axis of the intersection counts upper - lower + 1) and the
// union from the given areas. Returns false when the windows do not overlap
// (a side not greater than 0, NaN included); otherwise stores the ratio.
bool overlapRatio(const double* areaVector, const double* xmin, const double* ymin,
                  const double* xmax, const double* ymax, std::int32_t i, std::int32_t j,
                  double& ratio);

// Walks positions 0..numberPositions-1 in order, keeping a window and marking
// every later window whose overlap ratio with it exceeds 0.5, then moving to
// the next unmarked position, until numberKept windows are kept or none is left.
// `kept` (numberKept entries) receives the 0-based kept positions in order and
// -1 in the entries left over; `marker` (numberPositions entries, all 0 on entry)
// ends 1.0 at every kept or suppressed position, the suppressions of the last
// kept window included. Without markerRequested, `marker` may serve as working
// space and holds nothing defined on return. numberKept <= 0 keeps nothing.
void greedyPick(double* kept, double* marker, const double* areaVector, const double* xmin,
                const double* ymin, const double* xmax, const double* ymax,
                std::int32_t numberPositions, std::int32_t numberKept, bool markerRequested);

// The walk as defined, testing every later position against each kept window,
// marked or not; the reference the fast walk is checked against.
void greedyPickPlain(double* kept, double* marker, const double* areaVector, const double* xmin,
                     const double* ymin, const double* xmax, const double* ymax,
                     std::int32_t numberPositions, std::int32_t numberKept);

}  // namespace winscore::greedypick

#endif
