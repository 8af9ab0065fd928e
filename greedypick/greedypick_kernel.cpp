// SPDX-License-Identifier: MIT
// Greedy suppression of windows that overlap a kept window by more than a threshold.
#include "greedypick_kernel.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <vector>

namespace winscore::greedypick {
namespace {

// min and max that return NaN when either operand is NaN, so that a NaN
// coordinate always gives a NaN side, which is not greater than 0.
inline double minOf(double a, double b) { return (a < b || a != a) ? a : b; }
inline double maxOf(double a, double b) { return (a > b || a != a) ? a : b; }

// A window as the overlap test reads it.
struct Box {
  double xmin, ymin, xmax, ymax, area;
};

inline bool overlap(const Box& i, const Box& j, double& ratio) {
  // Bounds are inclusive, so windows sharing one column overlap by width 1 and
  // windows that merely touch (xmax + 1 == xmin) by width 0.
  const double iw = (minOf(i.xmax, j.xmax) - maxOf(i.xmin, j.xmin)) + 1.0;
  const double ih = (minOf(i.ymax, j.ymax) - maxOf(i.ymin, j.ymin)) + 1.0;
  if (!(iw > 0.0) || !(ih > 0.0)) return false;
  const double inter = ih * iw;
  // The union uses the caller's areas as they stand: a zero union gives an
  // infinite ratio, a negative one a negative ratio.
  const double unionArea = (i.area + j.area) - inter;
  ratio = inter / unionArea;
  return true;
}

// A window with a NaN bound overlaps nothing: it neither suppresses nor is suppressed.
inline bool inert(const Box& b) {
  return std::isnan(b.xmin) || std::isnan(b.ymin) || std::isnan(b.xmax) || std::isnan(b.ymax);
}

// Windows as flat runs of doubles, one run per field.
struct Runs {
  const double *area, *xmin, *ymin, *xmax, *ymax;
  Box box(std::int32_t p) const { return {xmin[p], ymin[p], xmax[p], ymax[p], area[p]}; }
};

// The list walked, with the threshold its overlaps are held against.
struct List : Runs {
  std::int32_t length;
  double threshold;

  // Kept window i suppresses the later window j: the one test that decides.
  bool suppresses(const Box& i, const Box& j) const {
    double ratio;
    return overlap(i, j, ratio) && ratio > threshold;
  }
};

// ---- The walk as defined -----------------------------------------------------

void walkPlain(double* kept, double* marker, const List& list, std::int32_t numberKept) {
  std::int32_t i = 0;
  for (std::int32_t k = 0;;) {
    kept[k] = static_cast<double>(i);
    marker[i] = 1.0;
    // Every later position is tested, marked or not: only kept windows
    // suppress, and a window already suppressed is simply marked again.
    const Box b = list.box(i);
    for (std::int32_t j = i + 1; j < list.length; ++j)
      if (list.suppresses(b, list.box(j))) marker[j] = 1.0;
    std::int32_t next = i + 1;
    while (next < list.length && marker[next] != 0.0) ++next;
    if (next == list.length || ++k == numberKept) return;
    i = next;
  }
}

// ---- One window against a run of windows, two at a time --------------------

#if defined(__GNUC__) && !defined(WINSCORE_PORTABLE_KERNELS)
// Two doubles in the lanes of one register; the compiler maps it to the
// target's vector unit, or to scalar code where there is none.
typedef double Pair __attribute__((vector_size(16)));
typedef std::int64_t PairMask __attribute__((vector_size(16)));

inline Pair load(const double* p) {
  Pair v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline Pair lowerOf(Pair a, Pair b) { return b < a ? b : a; }
inline Pair upperOf(Pair a, Pair b) { return b > a ? b : a; }

// Window b, free of NaN, against the windows at positions p and p + 1 of a
// run: the lanes where one of the two suppresses the other, each step as
// `overlap` takes it. lowerOf(v, b) and upperOf(v, b) pick what minOf(b, v)
// and maxOf(b, v) pick, a NaN v included; which of two equal bounds they pick
// (+0 or -0) the + 1 erases, so b may be the kept window or the later one.
class PairTest {
 public:
  PairTest(const Box& b, double threshold)
      : x0_{b.xmin, b.xmin}, y0_{b.ymin, b.ymin}, x1_{b.xmax, b.xmax}, y1_{b.ymax, b.ymax},
        area_{b.area, b.area}, threshold_{threshold, threshold} {}

  PairMask hits(const Runs& runs, std::int32_t p) const {
    const Pair zero = {0.0, 0.0}, one = {1.0, 1.0};
    const Pair iw = (lowerOf(load(runs.xmax + p), x1_) - upperOf(load(runs.xmin + p), x0_)) + one;
    const Pair ih = (lowerOf(load(runs.ymax + p), y1_) - upperOf(load(runs.ymin + p), y0_)) + one;
    // Every pair is divided, open or not: a branch on the few open ones
    // costs more in mispredictions than the division it saves.
    const Pair inter = ih * iw;
    return (iw > zero) & (ih > zero) &
           (inter / ((area_ + load(runs.area + p)) - inter) > threshold_);
  }

 private:
  Pair x0_, y0_, x1_, y1_, area_, threshold_;
};

// Marks the positions from `first` on that kept window i suppresses.
void suppressFrom(double* marker, const List& list, std::int32_t i, std::int32_t first) {
  const Box b = list.box(i);
  if (inert(b)) return;
  const PairTest test(b, list.threshold);
  std::int32_t j = first;
  for (; j + 2 <= list.length; j += 2) {
    const PairMask hit = test.hits(list, j);
    if (hit[0] | hit[1]) {
      if (hit[0]) marker[j] = 1.0;
      if (hit[1]) marker[j + 1] = 1.0;
    }
  }
  if (j < list.length && list.suppresses(b, list.box(j))) marker[j] = 1.0;
}

// Some window of `runs` suppresses the later window b, which is free of NaN.
bool anySuppresses(const List& list, const Runs& runs, std::int32_t count, const Box& b) {
  const PairTest test(b, list.threshold);
  std::int32_t s = 0;
  for (; s + 2 <= count; s += 2) {
    const PairMask hit = test.hits(runs, s);
    if (hit[0] | hit[1]) return true;
  }
  return s < count && list.suppresses(runs.box(s), b);
}
#else
void suppressFrom(double* marker, const List& list, std::int32_t i, std::int32_t first) {
  const Box b = list.box(i);
  if (inert(b)) return;
  for (std::int32_t j = first; j < list.length; ++j)
    if (list.suppresses(b, list.box(j))) marker[j] = 1.0;
}

bool anySuppresses(const List& list, const Runs& runs, std::int32_t count, const Box& b) {
  for (std::int32_t s = 0; s < count; ++s)
    if (list.suppresses(runs.box(s), b)) return true;
  return false;
}
#endif

// ---- The kept windows, in a list or filed in a grid --------------------------

// One axis of a uniform grid. The cell of a coordinate is its offset from the
// origin times the cells per unit, clamped into the grid and truncated. Each
// step is monotone in v whatever its rounding, so v <= w gives
// cellOf(v) <= cellOf(w): the one property exactness relies on.
struct Axis {
  double origin = 0.0, scale = 1.0;
  std::int32_t cells = 1;

  std::int32_t cellOf(double v) const {
    double t = (v - origin) * scale;
    if (!(t > 0.0)) t = 0.0;
    if (t > cells - 1) t = cells - 1;
    return static_cast<std::int32_t>(t);
  }
};

constexpr std::int32_t kMaxCellsPerAxis = 256;
constexpr std::int32_t kSample = 512;

// An axis whose cell side is `perSide` times the windows' median extent, over
// the span between the 1st and 99th percentiles of their bounds, from a
// sample spread over the list. A poor guess costs time only.
Axis axisFor(const double* lower, const double* upper, std::int32_t length, double perSide) {
  std::vector<double> lows, highs, extents;
  const std::int32_t step = std::max<std::int32_t>(1, length / kSample);
  for (std::int32_t p = 0; p < length; p += step) {
    const double lo = lower[p], hi = upper[p] + 1.0;
    if (!(std::fabs(lo) < 1e15) || !(std::fabs(hi) < 1e15)) continue;
    lows.push_back(lo), highs.push_back(hi);
    if (hi > lo) extents.push_back(hi - lo);
  }
  Axis axis;
  if (extents.empty()) return axis;
  const auto at = [](std::vector<double>& v, double q) {
    const auto nth = v.begin() + static_cast<std::ptrdiff_t>(q * (v.size() - 1));
    std::nth_element(v.begin(), nth, v.end());
    return *nth;
  };
  const double lo = at(lows, 0.01), hi = at(highs, 0.99);
  const double span = hi > lo ? hi - lo : 1.0;
  const double side = std::max(at(extents, 0.5) * perSide, span / kMaxCellsPerAxis);
  axis.origin = lo;
  axis.scale = 1.0 / side;
  axis.cells = static_cast<std::int32_t>(std::min<double>(kMaxCellsPerAxis, span / side + 1.0));
  return axis;
}

// Whole-number bounds within +-2^24, positive sides and an area equal to the
// window's own inclusive area. Between two such windows every step of the
// overlap test is exact but the division, and the rounding of a quotient at or
// below the threshold cannot lift it above; so the exact reasoning of Reach holds.
inline bool tame(const Box& b) {
  constexpr double kTame = 16777216.0;
  const auto whole = [](double v) {
    return std::fabs(v) <= kTame && static_cast<double>(static_cast<std::int32_t>(v)) == v;
  };
  return whole(b.xmin) && whole(b.ymin) && whole(b.xmax) && whole(b.ymax) &&
         b.xmax >= b.xmin && b.ymax >= b.ymin &&
         b.area == ((b.xmax - b.xmin) + 1.0) * ((b.ymax - b.ymin) + 1.0);
}

// A tame window in floats, which hold its bounds exactly (whole numbers within
// +-2^24, the sign of a zero included); its area follows from them. Half the
// memory of a Box, and one vector compare tells whether a Reach holds it.
struct alignas(16) TameBox {
  float bound[4];  // xmin, ymin, xmax, ymax

  TameBox() = default;
  explicit TameBox(const Box& b)
      : bound{static_cast<float>(b.xmin), static_cast<float>(b.ymin), static_cast<float>(b.xmax),
              static_cast<float>(b.ymax)} {}
  Box box() const {
    const double x0 = bound[0], y0 = bound[1], x1 = bound[2], y1 = bound[3];
    return {x0, y0, x1, y1, ((x1 - x0) + 1.0) * ((y1 - y0) + 1.0)};
  }
};

// Where the bounds of a tame window lie when it and the tame window b, one
// kept and the other later, overlap by more than the threshold t. The union
// of two overlapping windows holds the union of their extents on x times the
// height of their intersection, so the ratio is at most iw / (wi + wj - iw)
// and must exceed t on each axis alone. Seen from b (width w), the other
// window's extent loses `a` of b's inside the intersection and the union
// gains `e` outside b: (w - a) / (w + e) > t, so a < (1 - t) w and
// e < (1 - t) / t w. A lower bound of the other window above b's is part of
// a, one below it part of e; mirrored for the upper bounds, and likewise on
// y. Each interval is open; a margin of 1 covers the rounding of its ends,
// which are then rounded outwards to floats: a Reach holds every tame window
// that can be suppressed, and perhaps a few more, which the exact test rejects.
struct Reach {
  float lo[4], hi[4];  // per bound of TameBox, the open interval it lies in

#if defined(__GNUC__) && !defined(WINSCORE_PORTABLE_KERNELS)
  bool holds(const TameBox& k) const {
    typedef float Quad __attribute__((vector_size(16)));
    typedef std::int32_t QuadMask __attribute__((vector_size(16)));
    Quad v, l, h;
    std::memcpy(&v, k.bound, sizeof v);
    std::memcpy(&l, lo, sizeof l);
    std::memcpy(&h, hi, sizeof h);
    const QuadMask in = (v > l) & (v < h);
    std::int64_t halves[2];
    std::memcpy(halves, &in, sizeof halves);
    return (halves[0] & halves[1]) == -1;
  }
#else
  bool holds(const TameBox& k) const {
    bool in = true;
    for (int b = 0; b < 4; ++b) in &= (k.bound[b] > lo[b]) & (k.bound[b] < hi[b]);
    return in;
  }
#endif
};

inline float down(double v) {
  const float f = static_cast<float>(v);
  return f > v ? std::nextafter(f, -HUGE_VALF) : f;
}
inline float up(double v) {
  const float f = static_cast<float>(v);
  return f < v ? std::nextafter(f, HUGE_VALF) : f;
}

class Threshold {
 public:
  explicit Threshold(double t) : inside_(1.0 - t), outside_((1.0 - t) / t), usable_(t > 0.0) {}
  bool usable() const { return usable_; }

  Reach reachOf(const Box& b) const {
    const double w = (b.xmax - b.xmin) + 1.0, h = (b.ymax - b.ymin) + 1.0;
    const double wIn = inside_ * w + 1.0, wOut = outside_ * w + 1.0;
    const double hIn = inside_ * h + 1.0, hOut = outside_ * h + 1.0;
    return {{down(b.xmin - wOut), down(b.ymin - hOut), down(b.xmax - wIn), down(b.ymax - hIn)},
            {up(b.xmin + wIn), up(b.ymin + hIn), up(b.xmax + wOut), up(b.ymax + hOut)}};
  }

 private:
  double inside_, outside_;  // (1 - t) and (1 - t) / t, used only for 0 < t
  bool usable_;
};

// A grid over the list's windows by the cell of their lower bounds (xmin,
// ymin): the cells a Reach's lower bounds span. Sides in median extents: the
// kept windows are few, the later ones many.
// In the sweep, kept windows on cells of half the median extent took 0.86 to
// 1.03 ms at c = 1024 clustered, 1.25 to 1.37 ms on cells of a quarter.
constexpr double kKeptCellSide = 0.5, kLaterCellSide = 0.25;

struct StartGrid {
  Axis x, y;

  StartGrid(const List& list, double perSide)
      : x(axisFor(list.xmin, list.xmax, list.length, perSide)),
        y(axisFor(list.ymin, list.ymax, list.length, perSide)) {}
  std::size_t cells() const { return static_cast<std::size_t>(x.cells) * y.cells; }
  std::size_t cellOf(const Box& b) const {
    return static_cast<std::size_t>(y.cellOf(b.ymin)) * x.cells + x.cellOf(b.xmin);
  }
  // Calls visit(cell) for each cell of r's lower bounds, row by row.
  template <typename Visit>
  bool eachCell(const Reach& r, Visit visit) const {
    const std::int32_t x0 = x.cellOf(r.lo[0]), x1 = x.cellOf(r.hi[0]);
    for (std::int32_t cy = y.cellOf(r.lo[1]), y1 = y.cellOf(r.hi[1]); cy <= y1; ++cy)
      for (std::int32_t cx = x0; cx <= x1; ++cx)
        if (visit(static_cast<std::size_t>(cy) * x.cells + cx)) return true;
    return false;
  }
  std::int64_t span(const Reach& r) const {
    return std::int64_t{x.cellOf(r.hi[0]) - x.cellOf(r.lo[0]) + 1} *
           (y.cellOf(r.hi[1]) - y.cellOf(r.lo[1]) + 1);
  }
};

// The windows kept so far, without the inert ones, which suppress nothing.
// Once indexed, the tame ones are also filed in a StartGrid, so that a tame
// window looks only at the cells where a window that suppresses it can start;
// the others are tested against every query.
class KeptWindows {
 public:
  explicit KeptWindows(const List& list) : list_(list), threshold_(list.threshold) {}

  std::int32_t size() const { return static_cast<std::int32_t>(area_.size()); }

  void add(const Box& b) {
    xmin_.push_back(b.xmin), ymin_.push_back(b.ymin), xmax_.push_back(b.xmax),
        ymax_.push_back(b.ymax), area_.push_back(b.area);
    if (grid_) file(size() - 1);
  }

  // Files the windows kept so far, and from now on each one kept, in the grid.
  void index() {
    if (grid_ || !threshold_.usable()) return;
    grid_.emplace(list_, kKeptCellSide);
    cells_.resize(grid_->cells());
    for (std::int32_t s = 0; s < size(); ++s) file(s);
  }

  // Some kept window suppresses window b, which comes after all of them.
  bool suppressed(const Box& b) const {
    if (inert(b)) return false;
    if (!grid_ || !tame(b)) return anyOf(b);
    const Reach r = threshold_.reachOf(b);
    if (grid_->span(r) > size()) return anyOf(b);
    for (std::int32_t s : wild_)
      if (list_.suppresses(box(s), b)) return true;
    return grid_->eachCell(r, [&](std::size_t cell) {
      for (const TameBox& k : cells_[cell])
        if (r.holds(k) && list_.suppresses(k.box(), b)) return true;
      return false;
    });
  }

 private:
  Box box(std::int32_t s) const { return {xmin_[s], ymin_[s], xmax_[s], ymax_[s], area_[s]}; }

  bool anyOf(const Box& b) const {
    const Runs runs{area_.data(), xmin_.data(), ymin_.data(), xmax_.data(), ymax_.data()};
    return anySuppresses(list_, runs, size(), b);
  }

  void file(std::int32_t s) {
    const Box b = box(s);
    if (tame(b))
      cells_[grid_->cellOf(b)].emplace_back(b);
    else
      wild_.push_back(s);
  }

  const List& list_;
  Threshold threshold_;
  std::vector<double> xmin_, ymin_, xmax_, ymax_, area_;  // per kept window
  std::optional<StartGrid> grid_;
  std::vector<std::vector<TameBox>> cells_;  // per cell of the grid, its tame kept windows
  std::vector<std::int32_t> wild_;           // kept windows that are not tame
};

// The positions from `first` on, the tame ones filed by the cell of their
// lower bounds in one flat run, so that a kept window reads only those its
// Reach allows.
class LaterWindows {
 public:
  LaterWindows(const List& list, std::int32_t first)
      : grid_(list, kLaterCellSide), start_(grid_.cells() + 1, 0) {
    std::vector<std::int32_t> cellOfPosition(list.length - first);
    for (std::int32_t p = first; p < list.length; ++p) {
      const Box b = list.box(p);
      std::int32_t& cell = cellOfPosition[p - first];
      if (tame(b)) {
        cell = static_cast<std::int32_t>(grid_.cellOf(b));
        ++start_[cell + 1];
      } else {
        cell = -1;
        wild_.push_back(p);
      }
    }
    for (std::size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
    boxes_.resize(start_.back());
    positions_.resize(start_.back());
    std::vector<std::int32_t> fill(start_.begin(), start_.end() - 1);
    for (std::int32_t p = first; p < list.length; ++p) {
      const std::int32_t cell = cellOfPosition[p - first];
      if (cell < 0) continue;
      const std::int32_t e = fill[cell]++;
      boxes_[e] = TameBox(list.box(p));
      positions_[e] = p;
    }
  }

  // The positions that are not tame.
  const std::vector<std::int32_t>& wild() const { return wild_; }

  // Marks every tame position that the tame kept window b suppresses.
  void markBy(double* marker, const List& list, const Threshold& threshold, const Box& b) const {
    const Reach r = threshold.reachOf(b);
    grid_.eachCell(r, [&](std::size_t cell) {
      for (std::int32_t e = start_[cell]; e < start_[cell + 1]; ++e)
        if (r.holds(boxes_[e]) && list.suppresses(b, boxes_[e].box()))
          marker[positions_[e]] = 1.0;
      return false;
    });
  }

 private:
  StartGrid grid_;
  std::vector<std::int32_t> start_;  // per cell, its first entry; then the end
  std::vector<TameBox> boxes_;       // per entry, cell by cell
  std::vector<std::int32_t> positions_;
  std::vector<std::int32_t> wild_;
};

// Position by position against the windows kept so far, stopping at the
// numberKept-th kept window; the kept windows get a grid once there are
// `indexFrom` of them. Then, when the marker vector is asked for: every
// position up to the last kept window was kept or suppressed (every position,
// if the list ran out first), and a later one is marked when a kept window
// suppresses it, found by each kept window scanning the rest of the list
// while there are fewer than `markIndexFrom`, else through LaterWindows.
void walkLazy(double* kept, double* marker, const List& list, std::int32_t numberKept,
              bool markerRequested, std::size_t indexFrom, std::size_t markIndexFrom) {
  KeptWindows keptWindows(list);
  std::int32_t k = 0, j = 0;
  for (; j < list.length && k < numberKept; ++j) {
    const Box b = list.box(j);
    if (keptWindows.suppressed(b)) continue;
    kept[k++] = static_cast<double>(j);
    if (inert(b)) continue;
    keptWindows.add(b);
    if (static_cast<std::size_t>(keptWindows.size()) == indexFrom) keptWindows.index();
  }
  if (!markerRequested) return;
  const std::int32_t first = k < numberKept ? list.length : j;
  std::fill(marker, marker + first, 1.0);
  const Threshold threshold(list.threshold);
  if (static_cast<std::size_t>(keptWindows.size()) < markIndexFrom || !threshold.usable()) {
    for (std::int32_t s = 0; s < k; ++s)
      suppressFrom(marker, list, static_cast<std::int32_t>(kept[s]), first);
    return;
  }
  // Tame kept windows mark the tame later ones through the index; a kept
  // window that is not tame scans them all; a later one that is not tame is
  // tested against every kept window.
  const LaterWindows later(list, first);
  for (std::int32_t s = 0; s < k; ++s) {
    const auto i = static_cast<std::int32_t>(kept[s]);
    if (tame(list.box(i)))
      later.markBy(marker, list, threshold, list.box(i));
    else
      suppressFrom(marker, list, i, first);
  }
  for (std::int32_t p : later.wild())
    if (marker[p] == 0.0 && keptWindows.suppressed(list.box(p))) marker[p] = 1.0;
}

// The thresholds below come from the sweep of bench/greedypick_bench.cpp (c
// in doubling steps, 100000 windows clustered and uniform; README, "Speed").

// The walk: from this many kept windows on, the grid finds those near a
// position faster than the list. Crossover between c = 128 (list 0.022 ms
// against grid 0.034 ms clustered, 0.022 against 0.032 uniform) and c = 256
// (0.063 against 0.050, 0.057 against 0.045).
constexpr std::size_t kIndexFrom = 192;
// The marker vector: from this many kept windows on, the start index of the
// later windows marks them faster than each kept window scanning them.
// Crossover between c = 12 (scans 2.52 ms against index 2.77 ms clustered,
// 2.48 against 2.66 uniform) and c = 14 (2.93 against 2.85, 2.85 against 2.06).
constexpr std::size_t kMarkIndexFrom = 13;
constexpr std::size_t kNever = static_cast<std::size_t>(-1);

}  // namespace

bool overlapRatio(const double* areaVector, const double* xmin, const double* ymin,
                  const double* xmax, const double* ymax, std::int32_t i, std::int32_t j,
                  double& ratio) {
  const Runs runs{areaVector, xmin, ymin, xmax, ymax};
  return overlap(runs.box(i), runs.box(j), ratio);
}

void greedyPickPlain(double* kept, double* marker, const double* areaVector, const double* xmin,
                     const double* ymin, const double* xmax, const double* ymax,
                     std::int32_t numberPositions, std::int32_t numberKept, double threshold) {
  for (std::int32_t k = 0; k < numberKept; ++k) kept[k] = -1.0;
  if (numberKept <= 0 || numberPositions <= 0) return;
  walkPlain(kept, marker, List{{areaVector, xmin, ymin, xmax, ymax}, numberPositions, threshold},
            numberKept);
}

void greedyPick(double* kept, double* marker, const double* areaVector, const double* xmin,
                const double* ymin, const double* xmax, const double* ymax,
                std::int32_t numberPositions, std::int32_t numberKept, bool markerRequested,
                double threshold, Walk walk) {
  const List list{{areaVector, xmin, ymin, xmax, ymax}, numberPositions, threshold};
  for (std::int32_t k = 0; k < numberKept; ++k) kept[k] = -1.0;
  if (numberKept <= 0 || numberPositions <= 0) return;
  try {
    switch (walk) {
      case Walk::plain: return walkPlain(kept, marker, list, numberKept);
      case Walk::lazyList:
        return walkLazy(kept, marker, list, numberKept, markerRequested, kNever, kNever);
      case Walk::lazyGrid: return walkLazy(kept, marker, list, numberKept, markerRequested, 1, 1);
      case Walk::automatic:
        return walkLazy(kept, marker, list, numberKept, markerRequested, kIndexFrom,
                        kMarkIndexFrom);
    }
  } catch (const std::bad_alloc&) {
    // No memory for the kept windows: the plain walk needs none.
    for (std::int32_t k = 0; k < numberKept; ++k) kept[k] = -1.0;
    std::fill(marker, marker + numberPositions, 0.0);
    walkPlain(kept, marker, list, numberKept);
  }
}

}  // namespace winscore::greedypick
