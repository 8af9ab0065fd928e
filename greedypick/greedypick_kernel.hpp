// SPDX-License-Identifier: MIT
// Greedy suppression of windows that overlap a kept window by more than a threshold.
#ifndef WINSCORE_GREEDYPICK_KERNEL_HPP
#define WINSCORE_GREEDYPICK_KERNEL_HPP

#include <cstdint>

namespace winscore::greedypick {

// The number of positions in every window list the plug-in walks.
constexpr std::int32_t kListLength = 100000;

// The plug-in's threshold: a window goes when its overlap exceeds one half.
constexpr double kHalf = 0.5;

// Overlap of windows i and j as intersection over union, with inclusive
// bounds (each axis of the intersection counts upper - lower + 1) and the
// union from the given areas. Returns false when the windows do not overlap
// (a side not greater than 0, NaN included); otherwise stores the ratio.
bool overlapRatio(const double* areaVector, const double* xmin, const double* ymin,
                  const double* xmax, const double* ymax, std::int32_t i, std::int32_t j,
                  double& ratio);

// How greedyPick finds its result; every walk gives the same bits. `automatic`
// picks the fastest for the call; the others force one, for benchmarks and tests.
enum class Walk {
  automatic,
  plain,     // the walk as defined
  lazyList,  // position by position against the windows kept so far, in a list
  lazyGrid,  // the same with the kept windows filed in a grid from the first one
};

// Walks positions 0..numberPositions-1 in order, keeping a window and marking
// every later window whose overlap ratio with it exceeds `threshold`, then
// moving to the next unmarked position, until numberKept windows are kept or
// none is left. `kept` (numberKept entries) receives the 0-based kept
// positions in order and -1 in the entries left over; `marker`
// (numberPositions entries, all 0 on entry) ends 1.0 at every kept or
// suppressed position, the suppressions of the last kept window included.
// Without markerRequested, `marker` holds nothing defined on return.
// numberKept <= 0 keeps nothing.
void greedyPick(double* kept, double* marker, const double* areaVector, const double* xmin,
                const double* ymin, const double* xmax, const double* ymax,
                std::int32_t numberPositions, std::int32_t numberKept, bool markerRequested,
                double threshold = kHalf, Walk walk = Walk::automatic);

// The walk as defined, testing every later position against each kept window,
// marked or not; the reference the other walks are checked against.
void greedyPickPlain(double* kept, double* marker, const double* areaVector, const double* xmin,
                     const double* ymin, const double* xmax, const double* ymax,
                     std::int32_t numberPositions, std::int32_t numberKept,
                     double threshold = kHalf);

}  // namespace winscore::greedypick

#endif
