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

  const double& at(Pos xmin, Pos ymin, Pos xmax, Pos ymax) const {
    return h[(xmin - 1) + sizeXWhole * ((ymin - 1) + sizeYWhole * ((xmax - 1) +
                                                                    sizeXWhole * (ymax - 1)))];
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
  const Pos X = s.sizeXWhole, Y = s.sizeYWhole;
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
        const double* run = s.h + X * ((j - 1) + Y * ((k - 1) + X * (l - 1))) - 1;
        for (Pos i = b.low[0]; i <= high[0]; ++i)
          if (run[i] > best) return true;
      }
  return false;
}

}  // namespace

double outputLength(double sizeX, double sizeY, double neighbourhoodSize) {
  const double d = (neighbourhoodSize - 1.0) * 0.5 + 1.0;
  return std::ceil(((sizeX * sizeX) * sizeY) * sizeY / (((d * d) * d) * d));
}

namespace {

template <bool kFast>
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
          // The earliest strict maximum of the block: a NaN never replaces best.
          double best = s.at(a1, a2, a3, a4);
          Pos p[4] = {a1, a2, a3, a4};
          const double endK = minOf(sizeX, static_cast<double>(a3) + c);
          const double endL = minOf(sizeY, static_cast<double>(a4) + c);
          if constexpr (kFast) {
            // The same visiting order, with whole-number ends (a position is
            // <= a bound exactly when it is <= its floor) and the address
            // stepped along ymax instead of formed anew.
            const Pos X = s.sizeXWhole, Y = s.sizeYWhole, strideL = X * Y * X;
            const Pos endI = std::min(static_cast<Pos>(std::floor(static_cast<double>(a1) + c)), X);
            const Pos endJ = std::min(static_cast<Pos>(std::floor(static_cast<double>(a2) + c)), Y);
            const auto endKWhole = static_cast<Pos>(std::floor(endK));
            const auto endLWhole = static_cast<Pos>(std::floor(endL));
            for (Pos i = a1; i <= endI; ++i)
              for (Pos j = a2; j <= endJ; ++j)
                for (Pos k = a3; k <= endKWhole; ++k) {
                  const double* q = &s.at(i, j, k, a4);
                  for (Pos l = a4; l <= endLWhole; ++l, q += strideL)
                    if (*q > best) {
                      best = *q;
                      p[0] = i, p[1] = j, p[2] = k, p[3] = l;
                    }
                }
          } else
          // a1 + c rounded may reach past sizeX by an ulp; the whole size
          // keeps such a rounding from addressing outside the array.
          for (Pos i = a1; static_cast<double>(i) <= static_cast<double>(a1) + c &&
                           i <= s.sizeXWhole; ++i)
            for (Pos j = a2; static_cast<double>(j) <= static_cast<double>(a2) + c &&
                             j <= s.sizeYWhole; ++j)
              for (Pos k = a3; static_cast<double>(k) <= endK; ++k)
                for (Pos l = a4; static_cast<double>(l) <= endL; ++l) {
                  const double v = s.at(i, j, k, l);
                  if (v > best) {
                    best = v;
                    p[0] = i, p[1] = j, p[2] = k, p[3] = l;
                  }
                }
          // The fast scan skips the box of a candidate that cannot be accepted.
          const bool rejected = kFast ? !(best > 0.0) || boxHasLarger(s, p, best)
                                      : boxHasLargerPlain(s, p, best) || !(best > 0.0);
          if (rejected) continue;
          if (accepted < capacity) {
            xmin[accepted] = static_cast<double>(p[0]);
            ymin[accepted] = static_cast<double>(p[1]);
            xmax[accepted] = static_cast<double>(p[2]);
            ymax[accepted] = static_cast<double>(p[3]);
            score[accepted] = best;
          }
          ++accepted;
        }
  return accepted;
}

}  // namespace

std::int64_t localMaxima(double* xmin, double* ymin, double* xmax, double* ymax, double* score,
                         std::int64_t capacity, const double* h, double sizeX, double sizeY,
                         double neighbourhoodSize) {
  return scanBlocks<true>(xmin, ymin, xmax, ymax, score, capacity, h, sizeX, sizeY,
                          neighbourhoodSize);
}

std::int64_t localMaximaPlain(double* xmin, double* ymin, double* xmax, double* ymax,
                              double* score, std::int64_t capacity, const double* h,
                              double sizeX, double sizeY, double neighbourhoodSize) {
  return scanBlocks<false>(xmin, ymin, xmax, ymax, score, capacity, h, sizeX, sizeY,
                           neighbourhoodSize);
}

}  // namespace winscore::peakpick
