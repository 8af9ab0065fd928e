// SPDX-License-Identifier: MIT
// Centre-surround contrast of windows straight from an image's pixels or bins.
//
// ringdiff reads eight corners of the integral histogram per window, and every
// sum and difference it forms from them is a whole count below 2^53, so exact.
// Only its divisions and its score sum round. This kernel therefore gathers,
// per window, the two integer B-vectors those corners combine into (the
// window's count and its surround box's count) and then runs ringdiff's
// floating-point steps in ringdiff's order on them.
//
// The corners are gathered in one sweep over the columns (the image is stored
// by column). The sweep keeps, per row, the bin counts of that row so far
// (R x B), and per block of K rows their sum. At a column that holds corners,
// the running totals at the block edges are formed once, and each corner is
// its nearest edge's totals plus or minus at most K/2 rows. Counts wrap in
// unsigned 32-bit arithmetic: each gathered count is a box of fewer than 2^31
// pixels (or its negative), so its low 32 bits give it exactly.
#include "ringcontrast_kernel.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace winscore::ringcontrast {
namespace {

// The unit value (0..1) of one pixel, in the arithmetic of winscore's
// unitImage: integers over their full range, floats clipped (NaN to 0).
double unitOf(double v) { return v > 0.0 ? (v < 1.0 ? v : 1.0) : 0.0; }
double unitOf(float v) { return unitOf(static_cast<double>(v)); }
double unitOf(bool v) { return v ? 1.0 : 0.0; }
template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
double unitOf(T v) {
  constexpr double low = static_cast<double>(std::numeric_limits<T>::min());
  constexpr double high = static_cast<double>(std::numeric_limits<T>::max());
  if constexpr (std::is_unsigned_v<T>) {
    return static_cast<double>(v) / high;
  } else {
    return (static_cast<double>(v) - low) / (high - low);
  }
}

// min(floor(u * levels), levels - 1), from 0: the level of a unit value.
// u * levels is not negative, so truncation is its floor.
std::int32_t levelOf(double u, std::int32_t levels) {
  const auto f = static_cast<std::int64_t>(u * static_cast<double>(levels));
  return f < levels - 1 ? static_cast<std::int32_t>(f) : levels - 1;
}

// The bins (from 0) of one column of an image at a time.
class BinReader {
 public:
  BinReader(const Image& image, std::int32_t bins)
      : image_(image), bins_(bins), levels_(image.channels == 3 ? cubeSide(bins) : bins) {
    if (image.source == Source::logical) fillTable<bool>();
    if (image.source == Source::uint8) fillTable<std::uint8_t>();
    if (image.source == Source::int8) fillTable<std::int8_t>();
    if (image.source == Source::uint16) fillTable<std::uint16_t>();
    if (image.source == Source::int16) fillTable<std::int16_t>();
  }

  // Bins of column c into `out`; false, with the report filled, on an element
  // of a `bins` image that names no bin.
  bool column(std::int64_t c, std::int32_t* out, Report* report) const {
    switch (image_.source) {
      case Source::bins: return binColumn(c, out, report);
      case Source::float64: pixelColumn<double>(c, out); break;
      case Source::float32: pixelColumn<float>(c, out); break;
      case Source::logical: tableColumn<bool>(c, out); break;
      case Source::uint8: tableColumn<std::uint8_t>(c, out); break;
      case Source::int8: tableColumn<std::int8_t>(c, out); break;
      case Source::uint16: tableColumn<std::uint16_t>(c, out); break;
      case Source::int16: tableColumn<std::int16_t>(c, out); break;
      case Source::uint32: pixelColumn<std::uint32_t>(c, out); break;
      case Source::int32: pixelColumn<std::int32_t>(c, out); break;
      case Source::uint64: pixelColumn<std::uint64_t>(c, out); break;
      case Source::int64: pixelColumn<std::int64_t>(c, out); break;
    }
    return true;
  }

 private:
  template <typename T>
  const T* plane(std::int64_t c, int channel) const {
    return static_cast<const T*>(image_.data) +
           (c + channel * image_.columns) * image_.rows;
  }

  bool binColumn(std::int64_t c, std::int32_t* out, Report* report) const {
    const double* in = plane<double>(c, 0);
    // floor(v) lies in 1..B exactly when 1 <= v < B + 1; there it is trunc(v).
    const double end = static_cast<double>(bins_) + 1.0;
    for (std::int64_t r = 0; r < image_.rows; ++r) {
      if (!(in[r] >= 1.0 && in[r] < end)) {
        *report = {Fault::badBin, r + c * image_.rows, in[r]};
        return false;
      }
      out[r] = static_cast<std::int32_t>(in[r]) - 1;
    }
    return true;
  }

  // Grey: the level of the one channel is the bin. RGB: lR + L lG + L^2 lB.
  template <typename T>
  void pixelColumn(std::int64_t c, std::int32_t* out) const {
    const T* red = plane<T>(c, 0);
    const std::int32_t L = levels_;
    if (image_.channels == 1) {
      for (std::int64_t r = 0; r < image_.rows; ++r) out[r] = levelOf(unitOf(red[r]), L);
      return;
    }
    const T* green = plane<T>(c, 1);
    const T* blue = plane<T>(c, 2);
    for (std::int64_t r = 0; r < image_.rows; ++r)
      out[r] = levelOf(unitOf(red[r]), L) + L * levelOf(unitOf(green[r]), L) +
               L * L * levelOf(unitOf(blue[r]), L);
  }

  // Classes of at most 16 bits: the level of every value, looked up.
  template <typename T>
  static std::size_t indexOf(T v) {
    if constexpr (std::is_same_v<T, bool>) {
      return v ? 1 : 0;
    } else {
      return static_cast<std::size_t>(static_cast<std::int64_t>(v) -
                                      std::numeric_limits<T>::min());
    }
  }
  template <typename T>
  void fillTable() {
    const std::size_t count = std::is_same_v<T, bool> ? 2 : std::size_t{1} << (8 * sizeof(T));
    table_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      T v;
      if constexpr (std::is_same_v<T, bool>) {
        v = i != 0;
      } else {
        v = static_cast<T>(static_cast<std::int64_t>(i) + std::numeric_limits<T>::min());
      }
      table_[i] = levelOf(unitOf(v), levels_);
    }
  }
  template <typename T>
  void tableColumn(std::int64_t c, std::int32_t* out) const {
    const std::int32_t* level = table_.data();
    const T* red = plane<T>(c, 0);
    if (image_.channels == 1) {
      for (std::int64_t r = 0; r < image_.rows; ++r) out[r] = level[indexOf(red[r])];
      return;
    }
    const std::int32_t L = levels_;
    const T* green = plane<T>(c, 1);
    const T* blue = plane<T>(c, 2);
    for (std::int64_t r = 0; r < image_.rows; ++r)
      out[r] = level[indexOf(red[r])] + L * level[indexOf(green[r])] +
               L * L * level[indexOf(blue[r])];
  }

  Image image_;
  std::int32_t bins_;
  std::int32_t levels_;  // per channel: B for grey, the cube side for RGB
  std::vector<std::int32_t> table_;
};

// Windows gathered per sweep: their counts take at most this many bytes.
constexpr double kBatchBytes = 4.0 * 1024 * 1024;

std::int64_t batchWindows(std::int32_t bins, std::int64_t windows) {
  const double fit = std::floor(kBatchBytes / (2.0 * 4.0 * std::max(bins, 1)));
  return std::max<std::int64_t>(1, std::min<double>(static_cast<double>(windows), fit));
}

// Rows per block: balances forming the edges at each corner column
// (D columns x R/K x B) against walking from the nearer edge (8 corners per
// window x K/4 rows on average x B): K = sqrt(D R / 2N).
std::int64_t blockRows(std::int64_t rows, std::int64_t columns, std::int64_t batch) {
  const double cornerColumns = std::min<double>(static_cast<double>(columns), 4.0 * batch);
  const double k = std::round(std::sqrt(cornerColumns * rows / (2.0 * batch)));
  return std::max<std::int64_t>(1, std::min<std::int64_t>(rows, static_cast<std::int64_t>(k)));
}

// One corner of a window or of its surround box: its corner row, and where its
// counts go: slot = 2 * window + (0 for the window, 1 for the surround box),
// tagged slot * 2 + 1 when they are subtracted.
struct Corner {
  std::int32_t row;
  std::uint32_t tag;
};

// The surround box of a w x h window, as ringdiff forms it: each side moves
// out by w*p/200 (h*p/200), the product first, stays only where strictly
// inside the image, and takes its ceiling.
struct Box {
  std::int64_t x0, x1, y0, y1;
};
Box surroundOf(double x0, double y0, double x1, double y1, std::int32_t p, std::int64_t rows,
               std::int64_t columns) {
  const auto w = static_cast<std::int32_t>(x1 - x0 + 1.0);
  const auto h = static_cast<std::int32_t>(y1 - y0 + 1.0);
  const double dx = (static_cast<double>(w) * p) / 200.0;
  const double dy = (static_cast<double>(h) * p) / 200.0;
  const double C = static_cast<double>(columns), R = static_cast<double>(rows);
  Box box;
  box.x0 = static_cast<std::int64_t>(std::ceil(x0 - dx > 1.0 ? x0 - dx : 1.0));
  box.x1 = static_cast<std::int64_t>(std::ceil(x1 + dx < C ? x1 + dx : C));
  box.y0 = static_cast<std::int64_t>(std::ceil(y0 - dy > 1.0 ? y0 - dy : 1.0));
  box.y1 = static_cast<std::int64_t>(std::ceil(y1 + dy < R ? y1 + dy : R));
  return box;
}

// Count vectors are stored with a stride of whole lanes, padded with zeros,
// so that their loops have fixed-length bodies without aliasing, which
// compilers vectorise at -O2.
constexpr std::int64_t kLanes = 16;
std::int64_t strideOf(std::int32_t bins) { return (bins + kLanes - 1) / kLanes * kLanes; }

template <typename From>
void addInto(std::uint32_t* __restrict to, const From* __restrict from, std::int64_t stride) {
  for (std::int64_t t = 0; t < stride; t += kLanes)
    for (std::int64_t j = 0; j < kLanes; ++j) to[t + j] += from[t + j];
}
template <typename From>
void subtractFrom(std::uint32_t* __restrict to, const From* __restrict from, std::int64_t stride) {
  for (std::int64_t t = 0; t < stride; t += kLanes)
    for (std::int64_t j = 0; j < kLanes; ++j) to[t + j] -= from[t + j];
}
void sumInto(std::uint32_t* __restrict to, const std::uint32_t* __restrict a,
             const std::uint32_t* __restrict b, std::int64_t stride) {
  for (std::int64_t t = 0; t < stride; t += kLanes)
    for (std::int64_t j = 0; j < kLanes; ++j) to[t + j] = a[t + j] + b[t + j];
}

std::int64_t asSigned(std::uint32_t count) {
  return count <= 0x7fffffffu ? std::int64_t{count} : std::int64_t{count} - 0x100000000LL;
}

// One batch of windows: gathers their counts in one sweep, then scores them.
template <typename RowCount>
class Sweep {
 public:
  Sweep(const Image& image, std::int32_t bins, std::int64_t batch)
      : R_(image.rows), C_(image.columns), B_(bins), S_(strideOf(bins)),
        K_(blockRows(R_, C_, batch)), blocks_((R_ + K_ - 1) / K_),
        rowCounts_(static_cast<std::size_t>(R_ * S_)),
        blockCounts_(static_cast<std::size_t>(blocks_ * S_)),
        edges_(static_cast<std::size_t>((blocks_ + 1) * S_)),
        counts_(static_cast<std::size_t>(2 * batch * S_)), columnBins_(static_cast<std::size_t>(R_)),
        firstCorner_(static_cast<std::size_t>(C_ + 2)) {
    corners_.reserve(static_cast<std::size_t>(8 * batch));
    sorted_.reserve(static_cast<std::size_t>(8 * batch));
    inner_.resize(static_cast<std::size_t>(B_));
    normalised_.resize(static_cast<std::size_t>(B_));
    ring_.resize(static_cast<std::size_t>(B_));
  }

  Report run(double* scores, const BinReader& reader, const double* boxes,
             std::int64_t numberWindows, std::int64_t first, std::int64_t count,
             std::int32_t p) {
    std::fill(rowCounts_.begin(), rowCounts_.end(), RowCount{0});
    std::fill(blockCounts_.begin(), blockCounts_.end(), 0u);
    std::fill(counts_.begin(), counts_.end(), 0u);
    const std::int64_t lastColumn = bucketCorners(boxes, numberWindows, first, count, p);

    Report report{Fault::none, 0, 0.0};
    for (std::int64_t c = 1; c <= lastColumn; ++c) {
      if (!reader.column(c - 1, columnBins_.data(), &report)) return report;
      tally();
      if (firstCorner_[c] == firstCorner_[c + 1]) continue;
      formEdges();
      for (std::size_t k = firstCorner_[c]; k < firstCorner_[c + 1]; ++k) gather(sorted_[k]);
    }
    for (std::int64_t i = 0; i < count; ++i) scores[first + i] = score(i);
    return report;
  }

 private:
  // The corners of windows first..first+count-1 that lie off row 0 and
  // column 0, in order of column (one counting sort); returns the last column.
  std::int64_t bucketCorners(const double* boxes, std::int64_t N, std::int64_t first,
                             std::int64_t count, std::int32_t p) {
    corners_.clear();
    std::vector<std::int64_t>& columnOf = cornerColumns_;
    columnOf.clear();
    auto add = [&](std::int64_t row, std::int64_t column, std::int64_t slot, bool subtract) {
      if (row == 0 || column == 0) return;
      corners_.push_back({static_cast<std::int32_t>(row),
                          static_cast<std::uint32_t>(slot * 2 + (subtract ? 1 : 0))});
      columnOf.push_back(column);
    };
    for (std::int64_t i = 0; i < count; ++i) {
      const std::int64_t w = first + i;
      const double x0 = boxes[w], y0 = boxes[w + N], x1 = boxes[w + 2 * N], y1 = boxes[w + 3 * N];
      const auto ix0 = static_cast<std::int64_t>(x0), iy0 = static_cast<std::int64_t>(y0);
      const auto ix1 = static_cast<std::int64_t>(x1), iy1 = static_cast<std::int64_t>(y1);
      // ((UL + LR) - UR) - LL, for the window and for its surround box.
      add(iy0 - 1, ix0 - 1, 2 * i, false);
      add(iy1, ix1, 2 * i, false);
      add(iy0 - 1, ix1, 2 * i, true);
      add(iy1, ix0 - 1, 2 * i, true);
      const Box s = surroundOf(x0, y0, x1, y1, p, R_, C_);
      add(s.y0 - 1, s.x0 - 1, 2 * i + 1, false);
      add(s.y1, s.x1, 2 * i + 1, false);
      add(s.y0 - 1, s.x1, 2 * i + 1, true);
      add(s.y1, s.x0 - 1, 2 * i + 1, true);
    }
    std::fill(firstCorner_.begin(), firstCorner_.end(), std::size_t{0});
    std::int64_t last = 0;
    for (std::int64_t column : columnOf) {
      ++firstCorner_[column + 1];
      last = std::max(last, column);
    }
    for (std::int64_t c = 1; c <= C_ + 1; ++c) firstCorner_[c] += firstCorner_[c - 1];
    sorted_.resize(corners_.size());
    std::vector<std::size_t> next(firstCorner_.begin(), firstCorner_.end() - 1);
    for (std::size_t k = 0; k < corners_.size(); ++k) sorted_[next[columnOf[k]]++] = corners_[k];
    return last;
  }

  // Adds the current column's pixels to their rows' and blocks' counts.
  void tally() {
    for (std::int64_t k = 0; k < blocks_; ++k) {
      std::uint32_t* block = &blockCounts_[k * S_];
      const std::int64_t end = std::min(R_, (k + 1) * K_);
      for (std::int64_t r = k * K_; r < end; ++r) {
        const std::int32_t bin = columnBins_[r];
        ++rowCounts_[r * S_ + bin];
        ++block[bin];
      }
    }
  }

  // edges_[k] counts the pixels of rows 1..k*K in the columns swept so far.
  void formEdges() {
    for (std::int64_t k = 1; k <= blocks_; ++k)
      sumInto(&edges_[k * S_], &edges_[(k - 1) * S_], &blockCounts_[(k - 1) * S_], S_);
  }

  // The corner's counts (rows 1..row, columns swept so far) from the nearer
  // block edge, into its window's slot with its sign.
  void gather(const Corner& corner) {
    std::uint32_t* to = &counts_[static_cast<std::size_t>(corner.tag >> 1) * S_];
    const bool subtract = (corner.tag & 1u) != 0;
    const std::int64_t row = corner.row;
    const std::int64_t below = row / K_;
    const std::int64_t above = std::min(blocks_, below + 1);
    const std::int64_t belowRow = below * K_, aboveRow = std::min(R_, above * K_);
    const bool fromBelow = row - belowRow <= aboveRow - row;
    const std::int64_t edge = fromBelow ? below : above;
    if (subtract) {
      subtractFrom(to, &edges_[edge * S_], S_);
    } else {
      addInto(to, &edges_[edge * S_], S_);
    }
    // Rows between the edge and the corner: added going down, taken off going up.
    const bool addRows = fromBelow != subtract;
    const std::int64_t from = fromBelow ? belowRow : row, to_ = fromBelow ? row : aboveRow;
    for (std::int64_t r = from; r < to_; ++r) {
      if (addRows) {
        addInto(to, &rowCounts_[r * S_], S_);
      } else {
        subtractFrom(to, &rowCounts_[r * S_], S_);
      }
    }
  }

  // ringdiff's score of one window from its gathered counts, every
  // floating-point operation in ringdiff's order.
  double score(std::int64_t i) {
    const std::uint32_t* window = &counts_[static_cast<std::size_t>(2 * i) * S_];
    const std::uint32_t* box = window + S_;
    double* inner = inner_.data();
    double* P = normalised_.data();
    double* ring = ring_.data();
    double S = 0.0;
    for (std::int32_t t = 0; t < B_; ++t) {
      inner[t] = static_cast<double>(asSigned(window[t]));
      S = S + inner[t];
    }
    for (std::int32_t t = 0; t < B_; ++t) P[t] = S != 0.0 ? inner[t] / S : 0.0;
    double T = 0.0;
    for (std::int32_t t = 0; t < B_; ++t) {
      ring[t] = static_cast<double>(asSigned(box[t]) - asSigned(window[t]));
      T = T + ring[t];
    }
    double score = 0.0;
    for (std::int32_t t = 0; t < B_; ++t) {
      if (T == 0.0) {
        score = 0.0;
        continue;
      }
      const double Q = ring[t] / T;
      const double s = Q + P[t];
      if (s != 0.0) {
        const double d = P[t] - Q;
        score = (d * d) / (Q + P[t]) + score;
      }
    }
    return score;
  }

  const std::int64_t R_, C_;
  const std::int32_t B_;
  const std::int64_t S_;  // the stride of a count vector: B padded to whole lanes
  const std::int64_t K_, blocks_;
  std::vector<RowCount> rowCounts_;         // R x S: row r's counts so far
  std::vector<std::uint32_t> blockCounts_;  // blocks x S: block k's counts so far
  std::vector<std::uint32_t> edges_;        // (blocks + 1) x S: running totals; edge 0 is 0
  std::vector<std::uint32_t> counts_;       // batch x 2 x S: gathered counts
  std::vector<std::int32_t> columnBins_;    // the current column's bins
  std::vector<std::size_t> firstCorner_;    // column c's corners: [first[c], first[c+1])
  std::vector<Corner> corners_, sorted_;
  std::vector<std::int64_t> cornerColumns_;
  std::vector<double> inner_, normalised_, ring_;
};

template <typename RowCount>
Report scoreInBatches(double* scores, const Image& image, std::int32_t bins, const double* boxes,
                      std::int64_t N, std::int32_t p) {
  const BinReader reader(image, bins);
  const std::int64_t batch = batchWindows(bins, N);
  Sweep<RowCount> sweep(image, bins, batch);
  for (std::int64_t first = 0; first < N; first += batch) {
    const Report report =
        sweep.run(scores, reader, boxes, N, first, std::min(batch, N - first), p);
    if (report.fault != Fault::none) return report;
  }
  return {Fault::none, 0, 0.0};
}

}  // namespace

std::int32_t cubeSide(std::int32_t numberBins) {
  if (numberBins < 1) return 0;
  auto side = static_cast<std::int32_t>(std::llround(std::cbrt(static_cast<double>(numberBins))));
  for (std::int32_t s = std::max(1, side - 1); s <= side + 1; ++s)
    if (std::int64_t{s} * s * s == numberBins) return s;
  return 0;
}

Report quantise(double* bins, const Image& image, std::int32_t numberBins) {
  if (image.channels == 3 && image.source != Source::bins && cubeSide(numberBins) == 0)
    return {Fault::notCube, 0, static_cast<double>(numberBins)};
  try {
    const BinReader reader(image, numberBins);
    std::vector<std::int32_t> column(static_cast<std::size_t>(image.rows));
    Report report{Fault::none, 0, 0.0};
    for (std::int64_t c = 0; c < image.columns; ++c) {
      if (!reader.column(c, column.data(), &report)) return report;
      double* out = bins + c * image.rows;
      for (std::int64_t r = 0; r < image.rows; ++r) out[r] = column[r] + 1.0;
    }
    return report;
  } catch (const std::bad_alloc&) {
    return {Fault::outOfMemory, 0, 0.0};
  }
}

Report scoreWindows(double* scores, const Image& image, std::int32_t numberBins,
                    const double* boxes, std::int64_t numberWindows,
                    std::int32_t surroundPercent) {
  if (image.channels == 3 && image.source != Source::bins && cubeSide(numberBins) == 0)
    return {Fault::notCube, 0, static_cast<double>(numberBins)};
  if (numberWindows <= 0) return {Fault::none, 0, 0.0};
  try {
    // A row's count is at most the column count.
    if (image.columns <= std::numeric_limits<std::uint16_t>::max())
      return scoreInBatches<std::uint16_t>(scores, image, numberBins, boxes, numberWindows,
                                           surroundPercent);
    return scoreInBatches<std::uint32_t>(scores, image, numberBins, boxes, numberWindows,
                                         surroundPercent);
  } catch (const std::bad_alloc&) {
    return {Fault::outOfMemory, 0, 0.0};
  } catch (const std::length_error&) {
    return {Fault::outOfMemory, 0, 0.0};
  }
}

std::int64_t firstBadBox(const double* boxes, std::int64_t N, std::int64_t rows,
                         std::int64_t columns) {
  const double R = static_cast<double>(rows), C = static_cast<double>(columns);
  for (std::int64_t i = 0; i < N; ++i) {
    const double x0 = boxes[i], y0 = boxes[i + N], x1 = boxes[i + 2 * N], y1 = boxes[i + 3 * N];
    const bool whole = x0 == std::trunc(x0) && y0 == std::trunc(y0) && x1 == std::trunc(x1) &&
                       y1 == std::trunc(y1);
    if (!(whole && x0 >= 1.0 && x0 <= x1 && x1 <= C && y0 >= 1.0 && y0 <= y1 && y1 <= R))
      return i;
  }
  return N;
}

double workingBytes(std::int64_t rows, std::int64_t columns, std::int32_t numberBins,
                    std::int64_t numberWindows) {
  if (numberWindows <= 0) return 0.0;
  const double R = static_cast<double>(rows), C = static_cast<double>(columns);
  const double B = static_cast<double>(strideOf(std::max(numberBins, 1)));
  const std::int64_t batchCount = batchWindows(numberBins, numberWindows);
  const double batch = static_cast<double>(batchCount);
  const double K = static_cast<double>(blockRows(std::max<std::int64_t>(rows, 1), columns, batchCount));
  const double blocks = std::ceil(R / K);
  const double rowCount = columns <= std::numeric_limits<std::uint16_t>::max() ? 2.0 : 4.0;
  return R * B * rowCount                        // row counts
         + (2.0 * blocks + 1.0) * B * 4.0        // block counts and edges
         + 2.0 * batch * B * 4.0                 // gathered counts
         + 8.0 * batch * (2.0 * sizeof(Corner) + 8.0)  // corners, sorted, columns
         + (C + 2.0) * 16.0 + R * 4.0            // column starts, a column's bins
         + 65536.0 * 4.0                         // a level table
         + 3.0 * B * 8.0;                        // one window's histograms
}

}  // namespace winscore::ringcontrast
