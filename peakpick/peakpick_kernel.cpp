// SPDX-License-Identifier: MIT
// Block maxima of a 4-D window score array, kept when no score around them is larger.
#include "peakpick_kernel.hpp"

#include <algorithm>
#include <cmath>

namespace winscore::peakpick {
namespace {

using Pos = std::int64_t;  // positions hold int32 values; 64 bits so ++ cannot overflow

// A coordinate order of xmin, ymin, xmax, ymax throughout.
struct Scores {
  const double* h;
  Pos sizeXWhole, sizeYWhole;  // X and Y: only to address h
  double sizeX, sizeY, halfWidth, pitch;

  Pos offset(Pos xmin, Pos ymin, Pos xmax, Pos ymax) const {
    return (xmin - 1) + sizeXWhole * ((ymin - 1) + sizeYWhole * ((xmax - 1) +
                                                                 sizeXWhole * (ymax - 1)));
  }
  double at(Pos xmin, Pos ymin, Pos xmax, Pos ymax) const {
    return h[offset(xmin, ymin, xmax, ymax)];
  }
};

// min(S, v) and max(v, 1) exactly as the bounds are defined: the comparison
// decides, so a NaN operand picks the second branch.
inline double minOf(double s, double v) { return s > v ? v : s; }
inline double maxWithOne(double v) { return v > 1.0 ? v : 1.0; }

// The next block start, trunc(start + pitch). Every bound is below 2^31 (the
// sizes truncate into int32), so a sum at or past 2^31 ends the loop either way;
// it is returned as 2^31 rather than converted out of range.
inline Pos nextStart(Pos start, double pitch) {
  const double next = static_cast<double>(start) + pitch;
  return next < 2147483648.0 ? static_cast<Pos>(next) : Pos{2147483648};
}

// The bounds of the box of half-width c around p, per coordinate: from
// trunc(max(p - c, 1)) while the position is <= min(S, p + c).
struct Box {
  Pos low[4];
  double high[4];
};

Box boxAround(const Scores& s, const Pos p[4]) {
  const double sizes[4] = {s.sizeX, s.sizeY, s.sizeX, s.sizeY};
  Box box;
  for (int q = 0; q < 4; ++q) {
    box.low[q] = static_cast<Pos>(maxWithOne(static_cast<double>(p[q]) - s.halfWidth));
    box.high[q] = minOf(sizes[q], static_cast<double>(p[q]) + s.halfWidth);
  }
  return box;
}

// True when some score of the box around p is strictly larger than best,
// reading the whole box in its defined order. Equal scores and NaN never count.
bool boxHasLargerPlain(const Scores& s, const Pos p[4], double best) {
  const Box b = boxAround(s, p);
  bool larger = false;
  for (Pos i = b.low[0]; static_cast<double>(i) <= b.high[0]; ++i)
    for (Pos j = b.low[1]; static_cast<double>(j) <= b.high[1]; ++j)
      for (Pos k = b.low[2]; static_cast<double>(k) <= b.high[2]; ++k)
        for (Pos l = b.low[3]; static_cast<double>(l) <= b.high[3]; ++l)
          if (s.at(i, j, k, l) > best) larger = true;
  return larger;
}

// The same answer: whether a larger score exists does not depend on the order
// the box is read in, so it is read in memory order (xmin innermost, a
// contiguous run) and the test stops at the first larger score. A position
// is whole, so it is <= a bound exactly when it is <= the bound's floor, and
// every bound is finite and below 2^31.
bool boxHasLarger(const Scores& s, const Pos p[4], double best) {
  const Box b = boxAround(s, p);
  Pos high[4];
  for (int q = 0; q < 4; ++q) high[q] = static_cast<Pos>(std::floor(b.high[q]));
  // Scores vary smoothly with the window, so the eight positions one step from
  // p along a coordinate are tried first: they reject most candidates.
  for (int q = 0; q < 4; ++q)
    for (Pos step : {Pos{-1}, Pos{1}}) {
      Pos n[4] = {p[0], p[1], p[2], p[3]};
      n[q] += step;
      if (n[q] >= b.low[q] && n[q] <= high[q] && s.at(n[0], n[1], n[2], n[3]) > best)
        return true;
    }
  for (Pos l = b.low[3]; l <= high[3]; ++l)
    for (Pos k = b.low[2]; k <= high[2]; ++k)
      for (Pos j = b.low[1]; j <= high[1]; ++j) {
        const double* run = s.h + s.offset(1, j, k, l);
        for (Pos i = b.low[0]; i <= high[0]; ++i)
          if (run[i - 1] > best) return true;
      }
  return false;
}

}  // namespace

double outputLength(double sizeX, double sizeY, double neighbourhoodSize) {
  const double d = (neighbourhoodSize - 1.0) * 0.5 + 1.0;
  return std::ceil(((sizeX * sizeX) * sizeY) * sizeY / (((d * d) * d) * d));
}

namespace {

// The earliest strict maximum of a block and where it lies.
struct Candidate {
  double best;
  Pos p[4];
};

// The block of start a: a1..a1+c and a2..a2+c (cut at the whole sizes, which
// a1 + c rounded may pass by an ulp), a3..min(sizeX, a3+c), a4..min(sizeY,
// a4+c), visited in (xmin, ymin, xmax, ymax) order with the bounds as doubles.
// A NaN never replaces the best score.
Candidate blockMaximumPlain(const Scores& s, const Pos a[4]) {
  Candidate m{s.at(a[0], a[1], a[2], a[3]), {a[0], a[1], a[2], a[3]}};
  const double c = s.halfWidth;
  const double endK = minOf(s.sizeX, static_cast<double>(a[2]) + c);
  const double endL = minOf(s.sizeY, static_cast<double>(a[3]) + c);
  for (Pos i = a[0]; static_cast<double>(i) <= static_cast<double>(a[0]) + c &&
                     i <= s.sizeXWhole; ++i)
    for (Pos j = a[1]; static_cast<double>(j) <= static_cast<double>(a[1]) + c &&
                       j <= s.sizeYWhole; ++j)
      for (Pos k = a[2]; static_cast<double>(k) <= endK; ++k)
        for (Pos l = a[3]; static_cast<double>(l) <= endL; ++l) {
          const double v = s.at(i, j, k, l);
          if (v > m.best) m = {v, {i, j, k, l}};
        }
  return m;
}

// The same visiting order, with whole-number ends (a position is <= a bound
// exactly when it is <= its floor) and the offset stepped along ymax instead
// of formed anew.
Candidate blockMaximum(const Scores& s, const Pos a[4]) {
  Candidate m{s.at(a[0], a[1], a[2], a[3]), {a[0], a[1], a[2], a[3]}};
  const double c = s.halfWidth;
  const Pos X = s.sizeXWhole, Y = s.sizeYWhole, strideL = X * Y * X;
  const Pos endI = std::min(static_cast<Pos>(std::floor(static_cast<double>(a[0]) + c)), X);
  const Pos endJ = std::min(static_cast<Pos>(std::floor(static_cast<double>(a[1]) + c)), Y);
  const auto endK = static_cast<Pos>(std::floor(minOf(s.sizeX, static_cast<double>(a[2]) + c)));
  const auto endL = static_cast<Pos>(std::floor(minOf(s.sizeY, static_cast<double>(a[3]) + c)));
  for (Pos i = a[0]; i <= endI; ++i)
    for (Pos j = a[1]; j <= endJ; ++j)
      for (Pos k = a[2]; k <= endK; ++k) {
        Pos e = s.offset(i, j, k, a[3]);
        for (Pos l = a[3]; l <= endL; ++l, e += strideL)
          if (s.h[e] > m.best) m = {s.h[e], {i, j, k, l}};
      }
  return m;
}

// A candidate is kept when its score is above 0 and no score of the box
// around it is larger. The plain test reads the whole box first; the fast one
// skips the box of a candidate that cannot be kept.
bool rejectedPlain(const Scores& s, const Candidate& m) {
  return boxHasLargerPlain(s, m.p, m.best) || !(m.best > 0.0);
}
bool rejected(const Scores& s, const Candidate& m) {
  return !(m.best > 0.0) || boxHasLarger(s, m.p, m.best);
}

template <Candidate (*blockMaximumOf)(const Scores&, const Pos[4]),
          bool (*rejects)(const Scores&, const Candidate&)>
std::int64_t scanBlocks(double* xmin, double* ymin, double* xmax, double* ymax, double* score,
                        std::int64_t capacity, const double* h, double sizeX, double sizeY,
                        double neighbourhoodSize) {
  const double c = (neighbourhoodSize - 1.0) * 0.5;
  const Scores s{h, static_cast<Pos>(sizeX), static_cast<Pos>(sizeY), sizeX, sizeY, c, c + 1.0};
  const double d = s.pitch;
  std::int64_t accepted = 0;
  // A size below 1 leaves no xmin or ymin block, but the other size's block
  // loop would still run its whole length (up to 2^31 starts) finding nothing.
  if (s.sizeXWhole <= 0 || s.sizeYWhole <= 0) return 0;

  // Blocks cover start..start + c per coordinate, cut at the size in xmax and
  // ymax; xmin and ymin starts stop where a whole block no longer fits.
  for (Pos a1 = 1; static_cast<double>(a1) <= sizeX - c; a1 = nextStart(a1, d))
    for (Pos a2 = 1; static_cast<double>(a2) <= sizeY - c; a2 = nextStart(a2, d))
      for (Pos a3 = a1; static_cast<double>(a3) <= sizeX; a3 = nextStart(a3, d))
        for (Pos a4 = a2; static_cast<double>(a4) <= sizeY; a4 = nextStart(a4, d)) {
          const Pos start[4] = {a1, a2, a3, a4};
          const Candidate m = blockMaximumOf(s, start);
          if (rejects(s, m)) continue;
          if (accepted < capacity) {
            xmin[accepted] = static_cast<double>(m.p[0]);
            ymin[accepted] = static_cast<double>(m.p[1]);
            xmax[accepted] = static_cast<double>(m.p[2]);
            ymax[accepted] = static_cast<double>(m.p[3]);
            score[accepted] = m.best;
          }
          ++accepted;
        }
  return accepted;
}

}  // namespace

std::int64_t localMaxima(double* xmin, double* ymin, double* xmax, double* ymax, double* score,
                         std::int64_t capacity, const double* h, double sizeX, double sizeY,
                         double neighbourhoodSize) {
  return scanBlocks<blockMaximum, rejected>(xmin, ymin, xmax, ymax, score, capacity, h, sizeX,
                                           sizeY, neighbourhoodSize);
}

std::int64_t localMaximaPlain(double* xmin, double* ymin, double* xmax, double* ymax,
                              double* score, std::int64_t capacity, const double* h,
                              double sizeX, double sizeY, double neighbourhoodSize) {
  return scanBlocks<blockMaximumPlain, rejectedPlain>(xmin, ymin, xmax, ymax, score, capacity,
                                                     h, sizeX, sizeY, neighbourhoodSize);
}

}  // namespace winscore::peakpick
