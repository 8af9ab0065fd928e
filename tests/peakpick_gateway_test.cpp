// SPDX-License-Identifier: MIT
// peakpick through the test host: counts, input tests, output layout, bad inputs.
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

std::vector<double> outputRow(const testhost::CallResult& r, int o) {
  EXPECT_EQ(testhost::dimsOf(r.outputs[o].get())[0], 1u);
  return testhost::valuesOf(r.outputs[o].get());
}

TEST(PeakpickGateway, ReturnsFiveRowsFilledFromTheFront) {
  auto h = matrix(12, 12, std::vector<double>(144, 1.0));  // X = 4, Y = 3
  auto r = call(5, h, scalar(4), scalar(3), scalar(3));
  ASSERT_EQ(r.outputs.size(), 5u);
  EXPECT_EQ(outputRow(r, 0), (std::vector<double>{1, 1, 1, 1, 3, 3, 0, 0, 0}));
  EXPECT_EQ(outputRow(r, 1), (std::vector<double>{1, 1, 1, 1, 1, 1, 0, 0, 0}));
  EXPECT_EQ(outputRow(r, 2), (std::vector<double>{1, 1, 3, 3, 3, 3, 0, 0, 0}));
  EXPECT_EQ(outputRow(r, 3), (std::vector<double>{1, 3, 1, 3, 1, 3, 0, 0, 0}));
  EXPECT_EQ(outputRow(r, 4), (std::vector<double>{1, 1, 1, 1, 1, 1, 0, 0, 0}));
  // H(2, 2, 2, 2) = 5 at offset 1 + 4 * (1 + 3 * (1 + 4 * 1)) = 65; any 2-D shape will do.
  std::vector<double> peak(144, 1.0);
  peak[65] = 5;
  auto column = matrix(144, 1, peak);
  auto s = call(5, column, scalar(4), scalar(3), scalar(3));
  EXPECT_EQ(outputRow(s, 0), (std::vector<double>{2, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(outputRow(s, 4), (std::vector<double>{5, 0, 0, 0, 0, 0, 0, 0, 0}));
  // Size 0 gives five empty rows, and needs no elements.
  auto empty = matrix(0, 0);
  auto z = call(5, empty, scalar(0), scalar(3), scalar(3));
  for (int o = 0; o < 5; ++o)
    EXPECT_EQ(testhost::dimsOf(z.outputs[o].get()), (std::vector<size_t>{1, 0}));
  // Nothing visited: the rows hold n zeros (sizes 4 and 3, neighbourhood 9: n = 1).
  auto wide = call(5, h, scalar(4), scalar(3), scalar(9));
  EXPECT_EQ(outputRow(wide, 4), std::vector<double>{0});
}

TEST(PeakpickGateway, ChecksCountsThenInput1) {
  auto h = matrix(1, 1, {1}), one = scalar(1);
  expectFault([&] { call(5, h, one, one); }, "winscore:peakpick:inputCount");
  expectFault([&] { call(4, h, one, one); }, "winscore:peakpick:inputCount");
  for (int nlhs : {0, 1, 4, 6})
    expectFault([&] { call(nlhs, h, one, one, one); }, "winscore:peakpick:outputCount");
  for (auto cls : {ArrayClass::Single, ArrayClass::Uint8, ArrayClass::Logical, ArrayClass::Char,
                   ArrayClass::Struct, ArrayClass::FunctionHandle}) {
    auto bad = makeArray(cls, {1, 1}, false, false, {1.0});
    expectFault([&] { call(5, bad, one, one, one); },
                "winscore:peakpick:notRealDoubleMatrix", "input 1 (h)");
  }
  auto complexH = makeArray(ArrayClass::Double, {1, 1}, true);
  expectFault([&] { call(5, complexH, one, one, one); },
              "winscore:peakpick:notRealDoubleMatrix", "input 1 (h)");
  auto fourD = makeArray(ArrayClass::Double, {1, 1, 1, 1, 2}, false, false, {1, 1});
  expectFault([&] { call(5, fourD, one, one, one); },
              "winscore:peakpick:notRealDoubleMatrix", "input 1 (h)");
  auto sparse = makeArray(ArrayClass::Double, {1, 1}, false, true, {1.0});
  expectHostErrorContaining([&] { call(5, sparse, one, one, one); }, "input 1 (h)");
}

TEST(PeakpickGateway, RejectsSizesAndNeighbourhoodsOutsideTheirLimits) {
  auto h = matrix(1, 1, {1}), one = scalar(1);
  for (double bad : {NAN, INFINITY, -INFINITY}) {
    expectHostErrorContaining([&] { call(5, h, scalar(bad), one, one); },
                              "input 2 (sizeX) must be a finite number, not");
    expectHostErrorContaining([&] { call(5, h, one, scalar(bad), one); },
                              "input 3 (sizeY) must be a finite number");
    expectHostErrorContaining([&] { call(5, h, one, one, scalar(bad)); },
                              "input 4 (neighbourhoodSize) must be a finite number");
  }
  expectFault([&] { call(5, h, one, one, scalar(NAN)); },
              "winscore:peakpick:notFinite", "input 4 (neighbourhoodSize)");
  expectFault([&] { call(5, h, one, one, scalar(0.5)); },
              "winscore:peakpick:neighbourhoodTooSmall", "input 4 (neighbourhoodSize)");
  expectHostErrorContaining([&] { call(5, h, one, one, scalar(-3)); }, "not -3");
  auto empty = matrix(0, 0);
  expectHostErrorContaining([&] { call(5, h, empty, one, one); },
                            "input 2 (sizeX) must be a non-empty");
  expectHostErrorContaining([&] { call(5, h, scalar(3e9), scalar(0), one); },
                            "input 2 (sizeX) must be a number whose integer part fits");
  // Offsets beyond int32 (X*Y > 46340), and an output length beyond int32.
  expectFault([&] { call(5, h, scalar(46341), one, one); },
              "winscore:peakpick:arrayTooLarge", "inputs 2 and 3 (sizeX, sizeY)");
  expectHostErrorContaining([&] { call(5, h, scalar(-300), scalar(200), one); },
                            "describe an array of 3600000000 elements");
  expectHostErrorContaining([&] { call(5, empty, scalar(0.9), scalar(1e9), one); },
                            "give an output length of 8.1e+17, more than");
  // Too few elements for X*Y*X*Y, whatever the shape.
  auto eleven = matrix(1, 11);
  expectFault([&] { call(5, eleven, scalar(2.9), scalar(2.5), one); },
              "winscore:peakpick:tooFewElements", "input 1 (h)");
}

TEST(PeakpickGateway, RefusesMoreMaximaThanTheOutputsHold) {
  auto h = matrix(36, 1, std::vector<double>(36, 1.0));  // X = 2, Y = 3
  const size_t before = testhost::liveArrays();
  expectFault([&] { call(5, h, scalar(2), scalar(3), scalar(2)); },
              "winscore:peakpick:tooManyMaxima",
              "found 10 local maxima but the outputs hold only 8");
  EXPECT_EQ(testhost::liveArrays(), before);
  // The same sizes with no positive score accept nothing and succeed.
  auto negative = matrix(36, 1, std::vector<double>(36, -1.0));
  auto r = call(5, negative, scalar(2), scalar(3), scalar(2));
  EXPECT_EQ(outputRow(r, 4), std::vector<double>(8, 0.0));
}

}  // namespace
}  // namespace winscore

namespace winscore {
namespace {

// A size below 1 leaves nothing to address; the other size's block loop used
// to run through all its (up to 2^31) starts before returning nothing.
TEST(PeakpickGateway, SizeBelowOneReturnsAtOnceWithNoMaxima) {
  auto empty = testhost::matrix(0, 0);
  auto r = testhost::call(5, empty, testhost::scalar(2e9), testhost::scalar(5e-10),
                          testhost::scalar(1));
  for (int k = 0; k < 5; ++k)
    for (double v : testhost::valuesOf(r.outputs[k].get())) EXPECT_EQ(v, 0.0) << "output " << k;
}

}  // namespace
}  // namespace winscore
