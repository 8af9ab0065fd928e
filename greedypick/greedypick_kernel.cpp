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

// Kept window i suppresses the later window j: the one test that decides.
inline bool suppresses(const Box& i, const Box& j) {
  double ratio;
  return overlap(i, j, ratio) && ratio > 0.5;
}

struct List {
  const double *area, *xmin, *ymin, *xmax, *ymax;
  std::int32_t length;

  Box box(std::int32_t p) const { return {xmin[p], ymin[p], xmax[p], ymax[p], area[p]}; }
  bool suppresses(std::int32_t i, std::int32_t j) const {
    return greedypick::suppresses(box(i), box(j));
  }
};

}  // namespace

bool overlapRatio(const double* areaVector, const double* xmin, const double* ymin,
                  const double* xmax, const double* ymax, std::int32_t i, std::int32_t j,
                  double& ratio) {
  const List list{areaVector, xmin, ymin, xmax, ymax, 0};
  return overlap(list.box(i), list.box(j), ratio);
}

namespace {

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
// the span between the 1st and 99th percentiles of their bounds, from a sample
// spread over the list. A poor guess costs time only.
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

// ---- Windows with their own inclusive areas ----------------------------------

// Whole-number bounds within +-2^24 and an area equal to the window's own
// inclusive area. Between two such windows every step of the overlap test is
// exact but the final division, whose rounding cannot lift a ratio of at most
// 0.5 above it; so the exact reasoning of mayQualify holds.
bool tame(const Box& b) {
  constexpr double kTame = 16777216.0;
  const auto whole = [](double v) {
    return std::fabs(v) <= kTame && static_cast<double>(static_cast<std::int32_t>(v)) == v;
  };
  return whole(b.xmin) && whole(b.ymin) && whole(b.xmax) && whole(b.ymax) &&
         b.area == ((b.xmax - b.xmin) + 1.0) * ((b.ymax - b.ymin) + 1.0);
}

bool everyWindowTame(const List& list) {
  for (std::int32_t p = 0; p < list.length; ++p)
    if (!tame(list.box(p))) return false;
  return true;
}

// Between tame windows, window i (width w, height h) suppresses window j only
// when 3 inter > area i + area j, with both sides positive. As inter is at
// most the smaller width times the smaller height, that needs j's width
// strictly between w / 2 and 2 w, and 3 iw > w + w_j; with iw at most
// w - (xmin_j - xmin_i) and at most w_j + (xmin_j - xmin_i), xmin_j lies
// strictly between xmin_i - w and xmin_i + w / 2. Mirrored, xmax_j lies
// strictly between xmax_i - w / 2 and xmax_i + w; on y likewise: j's bounds
// lie in i's reach, open intervals, or i does not suppress j.
struct Reach {
  double xminLo, xminHi, xmaxLo, xmaxHi, yminLo, yminHi, ymaxLo, ymaxHi;
};

inline Reach reachOf(const Box& i) {
  const double w = (i.xmax - i.xmin) + 1.0, h = (i.ymax - i.ymin) + 1.0;
  return {i.xmin - w, i.xmin + w / 2, i.xmax - w / 2, i.xmax + w,
          i.ymin - h, i.ymin + h / 2, i.ymax - h / 2, i.ymax + h};
}

inline bool mayQualify(const Reach& r, const Box& j) {
  return (j.xmin > r.xminLo) & (j.xmin < r.xminHi) & (j.xmax > r.xmaxLo) & (j.xmax < r.xmaxHi) &
         (j.ymin > r.yminLo) & (j.ymin < r.yminHi) & (j.ymax > r.ymaxLo) & (j.ymax < r.ymaxHi);
}

// Windows meeting more cells than this are tested against everything instead.
constexpr std::int64_t kWideCells = 64;

// Kept windows filed in every cell their extent [xmin, xmax + 1) x
// [ymin, ymax + 1) meets. When the exact test finds an overlap, the point
// (larger xmin, larger ymin) lies in both extents: it is at least both lower
// bounds, and below both xmax + 1, since (min - max) + 1 > 0 in doubles holds
// only when min - max > -1 exactly, and xmax + 1 rounds to no less than that
// point. So its cell is in both ranges. Windows with a NaN bound, or meeting
// too many cells (infinite or huge ones), are tested exhaustively.
class KeptIndex {
 public:
  explicit KeptIndex(const List& list)
      : x_(axisFor(list.xmin, list.xmax, list.length, 1.0)),
        y_(axisFor(list.ymin, list.ymax, list.length, 1.0)),
        cells_(static_cast<std::size_t>(x_.cells) * y_.cells) {}

  void add(const Box& b, bool isTame) {
    const auto slot = static_cast<std::int32_t>(boxes_.size());
    boxes_.push_back(b);
    seen_.push_back(-1);
    Range r;
    if (!cells(b, r)) {
      wide_.push_back(slot);
      return;
    }
    const Reach reach = reachOf(b);
    for (std::int32_t cy = r.y0; cy <= r.y1; ++cy)
      for (std::int32_t cx = r.x0; cx <= r.x1; ++cx)
        cells_[static_cast<std::size_t>(cy) * x_.cells + cx].push_back({reach, isTame, slot});
  }

  // Some kept window suppresses window b at position j, after all of them.
  bool suppressed(const Box& b, std::int32_t j, bool isTame) {
    for (std::int32_t slot : wide_)
      if (suppresses(boxes_[slot], b)) return true;
    Range r;
    if (!cells(b, r)) {
      for (const Box& k : boxes_)
        if (suppresses(k, b)) return true;
      return false;
    }
    for (std::int32_t cy = r.y0; cy <= r.y1; ++cy)
      for (std::int32_t cx = r.x0; cx <= r.x1; ++cx)
        for (const Entry& entry : cells_[static_cast<std::size_t>(cy) * x_.cells + cx]) {
          if (seen_[entry.slot] == j) continue;
          seen_[entry.slot] = j;
          if (isTame && entry.tame && !mayQualify(entry.reach, b)) continue;
          if (suppresses(boxes_[entry.slot], b)) return true;
        }
    return false;
  }

 private:
  struct Range {
    std::int32_t x0, y0, x1, y1;  // inclusive; empty when the window meets nothing
  };
  struct Entry {
    Reach reach;  // of a tame window
    bool tame;
    std::int32_t slot;
  };

  bool cells(const Box& b, Range& r) const {
    const double x1 = b.xmax + 1.0, y1 = b.ymax + 1.0;
    if (std::isnan(b.xmin) || std::isnan(b.ymin) || std::isnan(x1) || std::isnan(y1)) return false;
    r = {x_.cellOf(b.xmin), y_.cellOf(b.ymin), x_.cellOf(x1), y_.cellOf(y1)};
    return std::int64_t{r.x1 - r.x0 + 1} * (r.y1 - r.y0 + 1) <= kWideCells;
  }

  Axis x_, y_;
  std::vector<std::vector<Entry>> cells_;
  std::vector<Box> boxes_;                  // per kept slot
  std::vector<std::int32_t> seen_, wide_;  // per kept slot: last position tested; the wide ones
};

// Below this many kept windows a plain list beats the index.
constexpr std::size_t kIndexFrom = 24;

// The walk when the marker vector is not seen: each position is tested against
// the windows kept so far only, and the walk stops at the numberKept-th kept
// window. Returns the kept positions; `index` holds them once there are enough.
std::vector<std::int32_t> walkKept(double* kept, const List& list, std::int32_t numberKept,
                                   std::optional<KeptIndex>& index) {
  std::vector<std::int32_t> positions;
  std::vector<Box> boxes;
  std::vector<bool> tameBoxes;
  for (std::int32_t j = 0;
       j < list.length && positions.size() < static_cast<std::size_t>(numberKept); ++j) {
    const Box b = list.box(j);
    const bool isTame = tame(b);
    bool suppressed = false;
    if (index) {
      suppressed = index->suppressed(b, j, isTame);
    } else {
      for (const Box& k : boxes)
        if (suppresses(k, b)) {
          suppressed = true;
          break;
        }
    }
    if (suppressed) continue;
    kept[positions.size()] = static_cast<double>(j);
    positions.push_back(j);
    if (index) {
      index->add(b, isTame);
    } else {
      boxes.push_back(b);
      tameBoxes.push_back(isTame);
      if (boxes.size() == kIndexFrom) {
        index.emplace(list);
        for (std::size_t k = 0; k < boxes.size(); ++k) index->add(boxes[k], tameBoxes[k]);
      }
    }
  }
  return positions;
}

// Tame windows grouped by the cell of (xmin, ymin), with their boxes, so that
// a kept window reads only those whose start mayQualify allows.
class StartIndex {
 public:
  explicit StartIndex(const List& list)
      : x_(axisFor(list.xmin, list.xmax, list.length, 0.5)),
        y_(axisFor(list.ymin, list.ymax, list.length, 0.5)),
        start_(static_cast<std::size_t>(x_.cells) * y_.cells + 1, 0),
        entries_(list.length) {
    std::vector<std::int32_t> cellOfPosition(list.length);
    for (std::int32_t p = 0; p < list.length; ++p) {
      cellOfPosition[p] = x_.cellOf(list.xmin[p]) + x_.cells * y_.cellOf(list.ymin[p]);
      ++start_[cellOfPosition[p] + 1];
    }
    for (std::size_t c = 1; c < start_.size(); ++c) start_[c] += start_[c - 1];
    std::vector<std::int32_t> fill(start_.begin(), start_.end() - 1);
    for (std::int32_t p = 0; p < list.length; ++p)
      entries_[fill[cellOfPosition[p]]++] = {list.box(p), p};
  }

  // Marks every window that b suppresses. Run for the kept window at the first
  // unmarked position, it may also mark positions before it: all marked already.
  void suppressBy(double* marker, const Box& b) const {
    const double w = (b.xmax - b.xmin) + 1.0, h = (b.ymax - b.ymin) + 1.0;
    if (!(w > 0.0) || !(h > 0.0)) return;
    const Reach r = reachOf(b);
    const std::int32_t cx0 = x_.cellOf(r.xminLo), cx1 = x_.cellOf(r.xminHi);
    for (std::int32_t cy = y_.cellOf(r.yminLo), cyEnd = y_.cellOf(r.yminHi); cy <= cyEnd; ++cy) {
      const std::int32_t row = cy * x_.cells;
      for (std::int32_t e = start_[row + cx0], end = start_[row + cx1 + 1]; e < end; ++e) {
        const Box& c = entries_[e].box;
        if (mayQualify(r, c) && suppresses(b, c)) marker[entries_[e].position] = 1.0;
      }
    }
  }

 private:
  struct Entry {
    Box box;
    std::int32_t position;
  };

  Axis x_, y_;
  std::vector<std::int32_t> start_;  // per cell, its first entry; then the end
  std::vector<Entry> entries_;
};

// ---- The walks ---------------------------------------------------------------

// The walk as defined, kept window by kept window, with `suppress` marking
// what each kept window suppresses.
template <typename Suppress>
void walkForward(double* kept, double* marker, const List& list, std::int32_t numberKept,
                 Suppress suppress) {
  std::int32_t i = 0;
  for (std::int32_t k = 0;;) {
    kept[k] = static_cast<double>(i);
    marker[i] = 1.0;
    suppress(i);
    std::int32_t next = i + 1;
    while (next < list.length && marker[next] != 0.0) ++next;
    if (next == list.length || ++k == numberKept) return;
    i = next;
  }
}

// Up to this many kept windows, scanning the list once per kept window costs
// less than indexing it.
constexpr std::int32_t kScanUpTo = 6;
// From this many on, the kept list alone is found faster by the forward walk.
constexpr std::int32_t kForwardFrom = 2000;

void walkForwardScanning(double* kept, double* marker, const List& list,
                         std::int32_t numberKept) {
  walkForward(kept, marker, list, numberKept,
              [&](std::int32_t i) { suppressFrom(marker, list, i, i + 1); });
}

void walkForwardIndexed(double* kept, double* marker, const List& list,
                        std::int32_t numberKept) {
  const StartIndex starts(list);
  walkForward(kept, marker, list, numberKept,
              [&](std::int32_t i) { starts.suppressBy(marker, list.box(i)); });
}

// The lazy walk, then the marker vector: every position up to the last kept
// window was kept or suppressed (every position, if the list ran out before
// numberKept); a later one is marked when a kept window suppresses it.
void walkKeptThenMark(double* kept, double* marker, const List& list,
                      std::int32_t numberKept) {
  std::optional<KeptIndex> index;
  const std::vector<std::int32_t> positions = walkKept(kept, list, numberKept, index);
  const std::int32_t first = static_cast<std::int32_t>(positions.size()) < numberKept
                                 ? list.length
                                 : positions.back() + 1;
  std::fill(marker, marker + first, 1.0);
  if (index) {
    for (std::int32_t j = first; j < list.length; ++j)
      if (index->suppressed(list.box(j), j, tame(list.box(j)))) marker[j] = 1.0;
  } else {
    for (std::int32_t i : positions) suppressFrom(marker, list, i, first);
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
    if (markerRequested && numberKept <= kScanUpTo) {
      walkForwardScanning(kept, marker, list, numberKept);
    } else if ((markerRequested || numberKept >= kForwardFrom) && everyWindowTame(list)) {
      walkForwardIndexed(kept, marker, list, numberKept);
    } else if (markerRequested) {
      walkKeptThenMark(kept, marker, list, numberKept);
    } else {
      std::optional<KeptIndex> index;
      walkKept(kept, list, numberKept, index);
    }
  } catch (const std::bad_alloc&) {
    // No memory for an index: the scanning walk needs none.
    for (std::int32_t k = 0; k < numberKept; ++k) kept[k] = -1.0;
    std::fill(marker, marker + numberPositions, 0.0);
    walkForwardScanning(kept, marker, list, numberKept);
  }
}

}  // namespace winscore::greedypick
