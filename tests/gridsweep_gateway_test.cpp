// SPDX-License-Identifier: MIT
// gridsweep through the test host: counts, input tests, ignored inputs, bad sizes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host_expect.hpp"
#include "testhost.hpp"

namespace winscore {
namespace {

using testhost::ArrayClass;
using testhost::call;
using testhost::makeArray;
using testhost::matrix;
using testhost::scalar;
using testing::expectFault;
using testing::expectHostErrorContaining;

const std::vector<double> kA = {0, 0, 0, 0, 1, 4, 0, 3, 10};
const std::vector<double> kOnes = {0, 0, 0, 0, 1, 2, 0, 2, 4};
const std::vector<double> kScores = {1, 0, 0, 0, 3, 2, 0, 0, 4, 0, 3, 0, 10, 6, 7, 4};

TEST(GridsweepGateway, ScoresTheTwoByTwoGridWhateverInputs1And5Hold) {
  auto a = matrix(3, 3, kA), b = matrix(3, 3, kOnes);
  auto h = matrix(2, 3);
  auto r = call(1, h, scalar(2), scalar(1), scalar(1), scalar(0), a, b);
  EXPECT_EQ(testhost::dimsOf(r.outputs[0].get()), (std::vector<size_t>{4, 4}));
  EXPECT_EQ(testhost::valuesOf(r.outputs[0].get()), kScores);
  // Input 5 has no effect whatever it is; input 6 may be one row of the same data.
  auto aRow = testhost::row(kA);
  for (auto& ignored : {scalar(NAN), matrix(2, 2, {1, 2, 3, 4}),
                        makeArray(ArrayClass::Cell, {1, 1}), matrix(0, 0)}) {
    auto s = call(1, h, scalar(2), scalar(1), scalar(1), ignored, aRow, b);
    EXPECT_EQ(testhost::valuesOf(s.outputs[0].get()), kScores);
  }
  // Zero outputs requested still fill slot 1.
  auto none = call(0, h, scalar(2), scalar(1), scalar(1), scalar(0), a, b);
  EXPECT_EQ(testhost::valuesOf(none.outputs[0].get()), kScores);
}

TEST(GridsweepGateway, TruncatesSizesAndRaisesMinimumsBelowOne) {
  auto h = matrix(1, 1);
  std::vector<double> cells;  // integral image of a 4 x 4 grid of ones: T(r, c) = r * c
  for (int c = 0; c <= 4; ++c)
    for (int r = 0; r <= 4; ++r) cells.push_back(r * c);
  auto t = matrix(5, 5, cells);
  auto r = call(1, h, scalar(4.7), scalar(1.9), scalar(2.2), scalar(0), t, t);
  EXPECT_EQ(testhost::dimsOf(r.outputs[0].get()), (std::vector<size_t>{16, 16}));
  int written = 0;
  for (double v : testhost::valuesOf(r.outputs[0].get())) written += v != 0.0;
  EXPECT_EQ(written, 60);
  auto a = matrix(3, 3, kA), b = matrix(3, 3, kOnes);
  for (double low : {0.0, -0.4, -5.0, -2147483648.0}) {
    auto s = call(1, h, scalar(2), scalar(low), scalar(low), scalar(0), a, b);
    EXPECT_EQ(testhost::valuesOf(s.outputs[0].get()), kScores) << low;
  }
}

TEST(GridsweepGateway, EmptyAndNegativeGridsGiveZerosWithoutReadingTheImages) {
  auto h = matrix(1, 1), empty = matrix(0, 0);
  auto text = makeArray(ArrayClass::Char, {1, 1}, false, false, {65});
  auto zero = call(1, h, scalar(0), scalar(1), scalar(1), scalar(0), empty, text);
  EXPECT_EQ(testhost::dimsOf(zero.outputs[0].get()), (std::vector<size_t>{0, 0}));
  auto negative = call(1, h, scalar(-2), scalar(1), scalar(1), scalar(0), empty, empty);
  EXPECT_EQ(testhost::valuesOf(negative.outputs[0].get()), std::vector<double>(16, 0.0));
  auto a = matrix(3, 3, kA);
  auto tooWide = call(1, h, scalar(2), scalar(3), scalar(1), scalar(0), a, a);
  EXPECT_EQ(testhost::valuesOf(tooWide.outputs[0].get()), std::vector<double>(16, 0.0));
}

TEST(GridsweepGateway, ChecksCountsThenInput1) {
  auto h = matrix(1, 1), one = scalar(1), a = matrix(3, 3, kA);
  expectFault([&] { call(1, h, one, one, one, one, a); }, "winscore:gridsweep:inputCount");
  expectFault([&] { call(2, h, one, one, one, one, a, a, a); }, "winscore:gridsweep:inputCount");
  expectFault([&] { call(2, h, one, one, one, one, a, a); }, "winscore:gridsweep:outputCount");
  for (auto cls : {ArrayClass::Single, ArrayClass::Int32, ArrayClass::Logical, ArrayClass::Char,
                   ArrayClass::Cell, ArrayClass::FunctionHandle}) {
    auto bad = makeArray(cls, {1, 1}, false, false, {1.0});
    expectFault([&] { call(1, bad, one, one, one, one, a, a); },
                "winscore:gridsweep:notRealDoubleMatrix", "input 1 (h)");
  }
  auto complexH = makeArray(ArrayClass::Double, {2, 2}, true);
  expectFault([&] { call(1, complexH, one, one, one, one, a, a); },
              "winscore:gridsweep:notRealDoubleMatrix", "input 1 (h)");
  auto cube = makeArray(ArrayClass::Double, {2, 2, 2});
  expectFault([&] { call(1, cube, one, one, one, one, a, a); },
              "winscore:gridsweep:notRealDoubleMatrix", "input 1 (h)");
  // Input 1 is checked before the scalars are read.
  auto nan = scalar(NAN);
  expectFault([&] { call(1, cube, nan, nan, nan, one, a, a); },
              "winscore:gridsweep:notRealDoubleMatrix", "input 1 (h)");
}

TEST(GridsweepGateway, RejectsSizesAndImagesThatWouldReadOrWriteOutOfRange) {
  auto h = matrix(1, 1), one = scalar(1), two = scalar(2), a = matrix(3, 3, kA);
  expectHostErrorContaining([&] { call(1, h, scalar(NAN), one, one, one, a, a); },
                            "input 2 (gridSize) must be a number whose integer part fits");
  expectHostErrorContaining([&] { call(1, h, two, scalar(INFINITY), one, one, a, a); },
                            "input 3 (minWidth)");
  expectHostErrorContaining([&] { call(1, h, two, one, scalar(3e9), one, a, a); },
                            "input 4 (minHeight)");
  auto empty = matrix(0, 0);
  expectHostErrorContaining([&] { call(1, h, empty, one, one, one, a, a); },
                            "input 2 (gridSize) must be a non-empty");
  // n*n must fit the output's signed 32-bit side; refused before anything is created.
  const size_t before = testhost::liveArrays();
  expectFault([&] { call(1, h, scalar(46341), one, one, one, a, a); },
              "winscore:gridsweep:gridSizeTooLarge", "input 2 (gridSize)");
  expectHostErrorContaining([&] { call(1, h, scalar(-50000), one, one, one, a, a); },
                            "not -50000");
  EXPECT_EQ(testhost::liveArrays(), before);
  // Integral images must be real doubles holding (n+1)^2 elements.
  auto short8 = matrix(2, 4, {0, 0, 0, 1, 4, 0, 3, 10});
  expectFault([&] { call(1, h, two, one, one, one, short8, a); },
              "winscore:gridsweep:tooFewElements", "input 6 (integralImageA)");
  expectHostErrorContaining([&] { call(1, h, scalar(3), one, one, one, a, a); },
                            "input 6 (integralImageA) must hold at least 16 elements, not 9");
  expectHostErrorContaining([&] { call(1, h, two, one, one, one, a, short8); },
                            "input 7 (integralImageB) must hold at least 9 elements, not 8");
  for (auto cls : {ArrayClass::Single, ArrayClass::Int32, ArrayClass::Char, ArrayClass::Cell}) {
    auto bad = makeArray(cls, {3, 3}, false, false, kA);
    expectHostErrorContaining([&] { call(1, h, two, one, one, one, bad, a); },
                              "input 6 (integralImageA) must be a real double array");
    expectHostErrorContaining([&] { call(1, h, two, one, one, one, a, bad); },
                              "input 7 (integralImageB) must be a real double array");
  }
  auto complexA = makeArray(ArrayClass::Double, {3, 3}, true);
  expectHostErrorContaining([&] { call(1, h, two, one, one, one, complexA, a); }, "input 6");
  auto sparseA = makeArray(ArrayClass::Double, {3, 3}, false, true, kA);
  expectHostErrorContaining([&] { call(1, h, two, one, one, one, a, sparseA); }, "input 7");
  // An output beyond what the host can create is refused, not attempted.
  testhost::setAllocationCap(std::size_t{1} << 30);
  expectHostErrorContaining([&] { call(1, h, scalar(-46340), one, one, one, a, a); },
                            "more elements than the host can hold");
  testhost::setAllocationCap(0);
}

}  // namespace
}  // namespace winscore
