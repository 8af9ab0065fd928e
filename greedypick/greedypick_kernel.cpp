// SPDX-License-Identifier: MIT
// Greedy suppression of windows that overlap a kept window by more than half.
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

}  // namespace

bool overlapRatio(const double* areaVector, const double* xmin, const double* ymin,
                  const double* xmax, const double* ymax, std::int32_t i, std::int32_t j,
                  double& ratio) {
  // Bounds are inclusive, so windows sharing one column overlap by width 1 and
  // windows that merely touch (xmax + 1 == xmin) by width 0.
  const double iw = (minOf(xmax[i], xmax[j]) - maxOf(xmin[i], xmin[j])) + 1.0;
  const double ih = (minOf(ymax[i], ymax[j]) - maxOf(ymin[i], ymin[j])) + 1.0;
  if (!(iw > 0.0) || !(ih > 0.0)) return false;
  const double inter = ih * iw;
  // The union uses the caller's areas as they stand: a zero union gives an
  // infinite ratio, a negative one a negative ratio.
  const double unionArea = (areaVector[i] + areaVector[j]) - inter;
  ratio = inter / unionArea;
  return true;
}

namespace {

struct List {
  const double *area, *xmin, *ymin, *xmax, *ymax;
  std::int32_t length;

  // Kept window i suppresses the later window j: the one exact test.
  bool suppresses(std::int32_t i, std::int32_t j) const {
    double ratio;
    return overlapRatio(area, xmin, ymin, xmax, ymax, i, j, ratio) && ratio > 0.5;
  }
};

// ---- The plain transcription -------------------------------------------------

void greedyWalkPlain(double* kept, double* marker, const List& list, std::int32_t numberKept) {
  for (std::int32_t k = 0; k < numberKept; ++k) kept[k] = -1.0;
  if (numberKept <= 0 || list.length <= 0) return;
  std::int32_t k = 0;
  std::int32_t i = 0;
  for (;;) {
    kept[k] = static_cast<double>(i);
    marker[i] = 1.0;
    // Every later position is tested, marked or not: only kept windows
    // suppress, and a window already suppressed is simply marked again.
    for (std::int32_t j = i + 1; j < list.length; ++j)
      if (list.suppresses(i, j)) marker[j] = 1.0;
    std::int32_t next = i + 1;
    while (next < list.length && marker[next] != 0.0) ++next;
    if (next == list.length) return;
    if (++k == numberKept) return;
    i = next;
  }
}

// ---- Marking the positions from `first` on that window i suppresses ----------

#if defined(__GNUC__) && !defined(WINSCORE_PORTABLE_KERNELS)
// min and max without the NaN rule, as the target's min and max instructions
// compute them, without branches. They serve only to rule windows out: when
// no coordinate is NaN they give the value minOf and maxOf give (up to the
// sign of a zero, which the + 1 that follows erases), and with a NaN the exact
// test says "no overlap" anyway.
inline double lowerOf(double a, double b) { return b < a ? b : a; }
inline double upperOf(double a, double b) { return b > a ? b : a; }

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

// Positions tested per block before the ones that may overlap are looked at.
constexpr std::int32_t kBlock = 16;

// Bit l set when position first + l may overlap window (x0, y0, x1, y1) and is
// not marked yet: both sides of the intersection positive, as far as the
// branch-free min and max tell, which is exactly when no coordinate is NaN.
std::uint32_t blockCandidates(const double* marker, const List& list, double x0, double y0,
                              double x1, double y1, std::int32_t first, std::int32_t count) {
  const double *xmin = list.xmin, *ymin = list.ymin, *xmax = list.xmax, *ymax = list.ymax;
  std::uint32_t candidates = 0;
  std::int32_t l = 0;
  if (count == kBlock) {
    const Pair X0 = {x0, x0}, Y0 = {y0, y0}, X1 = {x1, x1}, Y1 = {y1, y1};
    const Pair zero = {0.0, 0.0}, one = {1.0, 1.0};
    for (; l < kBlock; l += 2) {
      const std::int32_t j = first + l;
      const Pair iw = (lowerOf(X1, load(xmax + j)) - upperOf(X0, load(xmin + j))) + one;
      const Pair ih = (lowerOf(Y1, load(ymax + j)) - upperOf(Y0, load(ymin + j))) + one;
      const PairMask open = (iw > zero) & (ih > zero) & (load(marker + j) == zero);
      candidates |= static_cast<std::uint32_t>((open[0] & 1) | (open[1] & 2)) << l;
    }
    return candidates;
  }
  for (; l < count; ++l) {
    const std::int32_t j = first + l;
    const double iw = (lowerOf(x1, xmax[j]) - upperOf(x0, xmin[j])) + 1.0;
    const double ih = (lowerOf(y1, ymax[j]) - upperOf(y0, ymin[j])) + 1.0;
    const bool open = (iw > 0.0) & (ih > 0.0) & (marker[j] == 0.0);
    candidates |= static_cast<std::uint32_t>(open) << l;
  }
  return candidates;
}

// A marked position stays marked whatever its ratio, so it is passed over, and
// the ratio is formed only for positions whose intersection has both sides
// positive, a block of positions at a time.
void suppressFrom(double* marker, const List& list, std::int32_t i, std::int32_t first) {
  const double x0 = list.xmin[i], y0 = list.ymin[i], x1 = list.xmax[i], y1 = list.ymax[i];
  for (; first < list.length; first += kBlock) {
    const std::int32_t count = std::min(list.length - first, kBlock);
    std::uint32_t candidates = blockCandidates(marker, list, x0, y0, x1, y1, first, count);
    while (candidates != 0) {
      const std::int32_t j = first + __builtin_ctz(candidates);
      candidates &= candidates - 1;
      if (list.suppresses(i, j)) marker[j] = 1.0;
    }
  }
}

#else
// Compilers without GCC's vector extensions test every unmarked position.
void suppressFrom(double* marker, const List& list, std::int32_t i, std::int32_t first) {
  for (std::int32_t j = first; j < list.length; ++j)
    if (marker[j] == 0.0 && list.suppresses(i, j)) marker[j] = 1.0;
}
#endif

// ---- Uniform grids: which windows may meet -----------------------------------

// One axis of a uniform grid. The cell of a coordinate is its offset from the
// origin times the cells per unit, clamped into the grid and truncated. Each
// step is monotone in v whatever its rounding, so v <= w gives
// cellOf(v) <= cellOf(w): the only property exactness relies on.
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

constexpr std::int32_t kMaxCellsPerAxis = 512;
constexpr std::int32_t kSample = 2048;

// An axis whose cell side is `perSide` of the windows' typical extent, over the
// span where most of them lie: the median extent and the 1st and 99th
// percentiles of the bounds, from a spread-out sample of the list. A poor guess
// costs time only.
Axis axisFor(const double* lower, const double* upper, std::int32_t length, double perSide) {
  std::vector<double> lows, highs, extents;
  const std::int32_t step = std::max<std::int32_t>(1, length / kSample);
  for (std::int32_t p = 0; p < length; p += step) {
    const double lo = lower[p], hi = upper[p] + 1.0;
    if (!std::isfinite(lo) || !std::isfinite(hi) || std::fabs(lo) > 1e15 || std::fabs(hi) > 1e15)
      continue;
    lows.push_back(lo), highs.push_back(hi);
    if (hi > lo) extents.push_back(hi - lo);
  }
  Axis axis;
  if (lows.empty() || extents.empty()) return axis;
  const auto at = [](std::vector<double>& v, double q) {
    const auto nth = v.begin() + static_cast<std::ptrdiff_t>(q * (v.size() - 1));
    std::nth_element(v.begin(), nth, v.end());
    return *nth;
  };
  const double lo = at(lows, 0.01), hi = at(highs, 0.99);
  const double span = hi > lo ? hi - lo : 1.0;
  double side = at(extents, 0.5) * perSide;
  side = std::max(side, span / kMaxCellsPerAxis);
  axis.origin = lo;
  axis.scale = 1.0 / side;
  axis.cells = static_cast<std::int32_t>(std::min<double>(kMaxCellsPerAxis, span / side + 1.0));
  if (!(axis.scale > 0.0) || !std::isfinite(axis.scale) || axis.cells < 1) axis = Axis();
  return axis;
}

struct CellRange {
  std::int32_t x0, y0, x1, y1;  // inclusive
};

// Windows meeting more cells than this are tested against everything instead.
constexpr std::int32_t kWideCells = 64;

// Kept windows filed in every cell their extent [xmin, xmax + 1) x
// [ymin, ymax + 1) meets. When the exact test finds an overlap, the point
// (max of the xmins, max of the ymins) lies in both extents: it is >= both
// lower bounds, and below both xmax + 1 (the test's (min - max) + 1 > 0 holds
// only when min - max > -1 exactly; xmax + 1 rounds no lower than that point),
// so its cell is in both ranges. Windows with a NaN bound, or meeting too many
// cells (infinite or huge ones among them), are kept in the wide list and
// tested with every later position.
class KeptIndex {
 public:
  explicit KeptIndex(const List& list)
      : list_(list),
        x_(axisFor(list.xmin, list.xmax, list.length, 1.0)),
        y_(axisFor(list.ymin, list.ymax, list.length, 1.0)),
        head_(static_cast<std::size_t>(x_.cells) * y_.cells, -1) {}

  void add(std::int32_t position) {
    const auto slot = static_cast<std::int32_t>(positions_.size());
    positions_.push_back(position);
    seen_.push_back(-1);
    CellRange r;
    if (!cells(position, r)) {
      wide_.push_back(slot);
      return;
    }
    for (std::int32_t cy = r.y0; cy <= r.y1; ++cy)
      for (std::int32_t cx = r.x0; cx <= r.x1; ++cx) {
        const std::size_t cell = static_cast<std::size_t>(cy) * x_.cells + cx;
        next_.push_back(head_[cell]);
        slot_.push_back(slot);
        head_[cell] = static_cast<std::int32_t>(slot_.size()) - 1;
      }
  }

  // Some kept window (all of them before j) suppresses j.
  bool suppressed(std::int32_t j) {
    for (std::int32_t slot : wide_)
      if (list_.suppresses(positions_[slot], j)) return true;
    CellRange r;
    if (!cells(j, r)) {
      for (std::int32_t i : positions_)
        if (list_.suppresses(i, j)) return true;
      return false;
    }
    for (std::int32_t cy = r.y0; cy <= r.y1; ++cy)
      for (std::int32_t cx = r.x0; cx <= r.x1; ++cx)
        for (std::int32_t e = head_[static_cast<std::size_t>(cy) * x_.cells + cx]; e >= 0;
             e = next_[e]) {
          const std::int32_t slot = slot_[e];
          if (seen_[slot] == j) continue;
          seen_[slot] = j;
          if (list_.suppresses(positions_[slot], j)) return true;
        }
    return false;
  }

 private:
  bool cells(std::int32_t p, CellRange& r) const {
    const double x0 = list_.xmin[p], y0 = list_.ymin[p];
    const double x1 = list_.xmax[p] + 1.0, y1 = list_.ymax[p] + 1.0;
    if (std::isnan(x0) || std::isnan(y0) || std::isnan(x1) || std::isnan(y1)) return false;
    r = {x_.cellOf(x0), y_.cellOf(y0), x_.cellOf(x1), y_.cellOf(y1)};
    // An empty range: the window meets nothing, and is filed nowhere.
    return static_cast<std::int64_t>(r.x1 - r.x0 + 1) * (r.y1 - r.y0 + 1) <= kWideCells;
  }

  const List& list_;
  Axis x_, y_;
  std::vector<std::int32_t> head_, next_, slot_;  // per cell, a chain of entries
  std::vector<std::int32_t> positions_, seen_, wide_;  // per kept slot
};

// ---- The walk over the kept windows only ------------------------------------

// Below this many kept windows a plain list beats the index.
constexpr std::int32_t kIndexFrom = 24;

// Keeps each position no kept window suppresses, in order, until numberKept
// are kept; every position tested lies before the next kept one or is the
// last of the list. Returns the kept positions.
std::vector<std::int32_t> walkKept(double* kept, const List& list, std::int32_t numberKept,
                                   std::optional<KeptIndex>& index) {
  std::vector<std::int32_t> positions;
  for (std::int32_t j = 0; j < list.length && static_cast<std::int32_t>(positions.size()) <
                                                  numberKept; ++j) {
    bool suppressed = false;
    if (positions.size() < static_cast<std::size_t>(kIndexFrom)) {
      for (std::int32_t i : positions)
        if (list.suppresses(i, j)) {
          suppressed = true;
          break;
        }
    } else {
      suppressed = index->suppressed(j);
    }
    if (suppressed) continue;
    kept[positions.size()] = static_cast<double>(j);
    positions.push_back(j);
    if (positions.size() == static_cast<std::size_t>(kIndexFrom)) {
      index.emplace(list);
      for (std::int32_t i : positions) index->add(i);
    } else if (index) {
      index->add(j);
    }
  }
  return positions;
}

// ---- Completing the marker vector after the last kept window -----------------

// Whole-number coordinates within +-2^24 and every area equal to its window's
// own inclusive area: then every operation of the exact test is exact but the
// final division, whose rounding cannot turn a ratio of at most 0.5 into one
// above, and the bounds of startsMaySuppress below hold.
bool wholeInclusiveAreas(const List& list) {
  constexpr double kTame = 16777216.0;
  bool tame = true;
  for (std::int32_t p = 0; p < list.length; ++p) {
    const double x0 = list.xmin[p], y0 = list.ymin[p], x1 = list.xmax[p], y1 = list.ymax[p];
    const bool bounded = std::fabs(x0) <= kTame && std::fabs(y0) <= kTame &&
                         std::fabs(x1) <= kTame && std::fabs(y1) <= kTame;
    const bool whole = std::floor(x0) == x0 && std::floor(y0) == y0 && std::floor(x1) == x1 &&
                       std::floor(y1) == y1;
    tame &= bounded & whole & (list.area[p] == ((x1 - x0) + 1.0) * ((y1 - y0) + 1.0));
  }
  return tame;
}

// With whole inclusive areas, window i (width w, height h, both positive)
// suppresses window j only when 3 inter > area i + area j. As inter is at most
// the product of the smaller width and the smaller height, that needs j's
// width between w / 2 and 2 w (and its height likewise), and then
// 3 iw > w + w_j, with iw at most w - (xmin_j - xmin_i) and at most
// w_j + (xmin_j - xmin_i): xmin_j lies strictly between xmin_i - w and
// xmin_i + w / 2, ymin_j likewise. An index on (xmin, ymin) of the positions
// after the last kept window returns the few that can qualify.
class StartIndex {
 public:
  StartIndex(const List& list, std::int32_t first)
      : list_(list),
        x_(axisFor(list.xmin, list.xmax, list.length, 0.5)),
        y_(axisFor(list.ymin, list.ymax, list.length, 0.5)) {
    const std::size_t cellCount = static_cast<std::size_t>(x_.cells) * y_.cells;
    start_.assign(cellCount + 1, 0);
    std::vector<std::int32_t> cellOfPosition(list.length - first);
    for (std::int32_t j = first; j < list.length; ++j) {
      const std::int32_t cell = x_.cellOf(list.xmin[j]) + x_.cells * y_.cellOf(list.ymin[j]);
      cellOfPosition[j - first] = cell;
      ++start_[cell + 1];
    }
    for (std::size_t c = 0; c < cellCount; ++c) start_[c + 1] += start_[c];
    std::vector<std::int32_t> fill(start_.begin(), start_.end() - 1);
    position_.resize(list.length - first);
    xs_.resize(position_.size());
    ys_.resize(position_.size());
    for (std::int32_t j = first; j < list.length; ++j) {
      const std::int32_t e = fill[cellOfPosition[j - first]]++;
      position_[e] = j, xs_[e] = list.xmin[j], ys_[e] = list.ymin[j];
    }
  }

  void suppressBy(double* marker, std::int32_t i) const {
    const double w = (list_.xmax[i] - list_.xmin[i]) + 1.0;
    const double h = (list_.ymax[i] - list_.ymin[i]) + 1.0;
    if (!(w > 0.0) || !(h > 0.0)) return;
    const double xlo = list_.xmin[i] - w, xhi = list_.xmin[i] + w / 2;
    const double ylo = list_.ymin[i] - h, yhi = list_.ymin[i] + h / 2;
    const std::int32_t cx0 = x_.cellOf(xlo), cx1 = x_.cellOf(xhi);
    for (std::int32_t cy = y_.cellOf(ylo), cy1 = y_.cellOf(yhi); cy <= cy1; ++cy) {
      const std::int32_t row = cy * x_.cells;
      for (std::int32_t e = start_[row + cx0], end = start_[row + cx1 + 1]; e < end; ++e) {
        if (xs_[e] < xlo || xs_[e] > xhi || ys_[e] < ylo || ys_[e] > yhi) continue;
        const std::int32_t j = position_[e];
        if (marker[j] == 0.0 && list_.suppresses(i, j)) marker[j] = 1.0;
      }
    }
  }

 private:
  const List& list_;
  Axis x_, y_;
  std::vector<std::int32_t> start_, position_;  // positions grouped by cell
  std::vector<double> xs_, ys_;
};

// Below this many kept windows, scanning the rest of the list once per kept
// window costs less than building an index.
constexpr std::size_t kScanUpTo = 4;

void completeMarker(double* marker, const List& list, const std::vector<std::int32_t>& kept,
                    std::int32_t numberKept, std::optional<KeptIndex>& index) {
  // Every position up to the last kept one was kept or suppressed; when the
  // list ran out before numberKept, that is every position.
  const std::int32_t last =
      static_cast<std::int32_t>(kept.size()) < numberKept ? list.length - 1 : kept.back();
  std::fill(marker, marker + last + 1, 1.0);
  const std::int32_t first = last + 1;
  if (first == list.length) return;
  if (kept.size() > kScanUpTo && wholeInclusiveAreas(list)) {
    const StartIndex starts(list, first);
    for (std::int32_t i : kept) starts.suppressBy(marker, i);
  } else if (index) {
    for (std::int32_t j = first; j < list.length; ++j)
      if (index->suppressed(j)) marker[j] = 1.0;
  } else {
    for (std::int32_t i : kept) suppressFrom(marker, list, i, first);
  }
}

}  // namespace

void greedyPickPlain(double* kept, double* marker, const double* areaVector, const double* xmin,
                     const double* ymin, const double* xmax, const double* ymax,
                     std::int32_t numberPositions, std::int32_t numberKept) {
  greedyWalkPlain(kept, marker, List{areaVector, xmin, ymin, xmax, ymax, numberPositions},
                  numberKept);
}

void greedyPick(double* kept, double* marker, const double* areaVector, const double* xmin,
                const double* ymin, const double* xmax, const double* ymax,
                std::int32_t numberPositions, std::int32_t numberKept, bool markerRequested) {
  const List list{areaVector, xmin, ymin, xmax, ymax, numberPositions};
  for (std::int32_t k = 0; k < numberKept; ++k) kept[k] = -1.0;
  if (numberKept <= 0 || numberPositions <= 0) return;
  try {
    std::optional<KeptIndex> index;
    const std::vector<std::int32_t> positions = walkKept(kept, list, numberKept, index);
    if (markerRequested) completeMarker(marker, list, positions, numberKept, index);
  } catch (const std::bad_alloc&) {
    // Out of memory for the indexes: the plain walk needs none.
    std::fill(marker, marker + numberPositions, 0.0);
    greedyWalkPlain(kept, marker, list, numberKept);
  }
}

}  // namespace winscore::greedypick
