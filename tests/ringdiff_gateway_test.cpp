// SPDX-License-Identifier: MIT
// ringdiff through the test host: the order of reads and tests, and every rejected input.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bits.hpp"
#include "builders.hpp"
#include "host_expect.hpp"
#include "testhost.hpp"

namespace winscore {
namespace {

using testhost::Array;
using testhost::ArrayClass;
using testhost::call;
using testhost::makeArray;
using testhost::matrix;
using testhost::row;
using testhost::scalar;
using testing::bitsOf;
using testing::expectFault;
using testing::expectHostErrorContaining;

// The integral histogram of a rows x cols image of bin 1 with the box
// x0..x1, y0..y1 in bin 2.
Array squareHistogram(int rows, int cols, int x0, int y0, int x1, int y1) {
  std::vector<int> image(static_cast<size_t>(rows) * cols, 1);
  for (int c = x0; c <= x1; ++c)
    for (int r = y0; r <= y1; ++r) image[(r - 1) + static_cast<size_t>(c - 1) * rows] = 2;
  return matrix(2, static_cast<size_t>(rows + 1) * (cols + 1),
                winscore::testing::integralHistogram(image, rows, cols, 2));
}

// The ten inputs of a call, each replaceable.
struct Inputs {
  Array in[10];
  testhost::CallResult run(int nlhs = 1) const {
    return call(nlhs, in[0], in[1], in[2], in[3], in[4], in[5], in[6], in[7], in[8], in[9]);
  }
};

// A 6 x 8 image with a 2 x 2 square of bin 2 at columns 3..4, rows 3..4, and
// three windows: the square, the whole image, a plain corner.
Inputs squareCall() {
  Inputs c{{squareHistogram(6, 8, 3, 3, 4, 4), scalar(6), scalar(8), row({3, 1, 7}),
            row({3, 1, 5}), row({4, 8, 8}), row({4, 6, 6}), scalar(100), scalar(2),
            scalar(3)}};
  return c;
}

TEST(RingdiffGateway, ScoresEveryWindowIntoAColumn) {
  Inputs c = squareCall();
  auto r = c.run();
  EXPECT_EQ(testhost::dimsOf(r.outputs[0].get()), (std::vector<size_t>{3, 1}));
  EXPECT_EQ(testhost::valuesOf(r.outputs[0].get()), (std::vector<double>{2, 0, 0}));
  // Zero outputs requested still fill slot 1; N = 0 gives an empty column.
  EXPECT_NE(c.run(0).outputs[0], nullptr);
  c.in[9] = scalar(0.7);
  EXPECT_EQ(testhost::dimsOf(c.run().outputs[0].get()), (std::vector<size_t>{0, 1}));
}

TEST(RingdiffGateway, TruncatesThePercentageTowardZero) {
  Inputs c = squareCall();
  c.in[3] = row({2});
  c.in[4] = row({2});
  c.in[5] = row({3});
  c.in[6] = row({3});
  c.in[9] = scalar(1);
  auto scoreAt = [&](double percent) {
    c.in[7] = scalar(percent);
    return testhost::valuesOf(c.run().outputs[0].get())[0];
  };
  EXPECT_EQ(bitsOf(scoreAt(112.9)), bitsOf(scoreAt(112)));
  EXPECT_EQ(bitsOf(scoreAt(-12.9)), bitsOf(scoreAt(-12)));
  EXPECT_NE(scoreAt(112), scoreAt(100));
  EXPECT_EQ(scoreAt(0.9), 0.0);
  EXPECT_EQ(scoreAt(-0.9), 0.0);
}

TEST(RingdiffGateway, ChecksCountsInOrder) {
  auto one = scalar(1);
  expectFault([&] { call(2, one, one, one, one, one, one, one, one, one); },
              "winscore:ringdiff:inputCount");
  expectFault([&] { call(2, one, one, one, one, one, one, one, one, one, one, one); },
              "winscore:ringdiff:inputCount");
  const Inputs c = squareCall();
  expectFault([&] { c.run(2); }, "winscore:ringdiff:outputCount");
}

TEST(RingdiffGateway, ReadsEveryInputBeforeTestingInput1) {
  Inputs c = squareCall();
  c.in[0] = makeArray(ArrayClass::Cell, {1, 1});
  c.in[1] = scalar(NAN);
  expectHostErrorContaining([&] { c.run(); }, "input 2 (numberRows)");
  c.in[1] = scalar(6);
  c.in[3] = makeArray(ArrayClass::Single, {1, 3}, false, false, {1, 1, 1});
  expectHostErrorContaining([&] { c.run(); }, "input 4 (xmin)");
  c.in[3] = row({3, 1, 7});
  c.in[9] = matrix(0, 0);
  expectHostErrorContaining([&] { c.run(); }, "input 10 (numberWindows)");
  c.in[9] = scalar(3);
  expectFault([&] { c.run(); },
              "winscore:ringdiff:notRealDoubleMatrix", "input 1 (integralHistogram)");
}

TEST(RingdiffGateway, TestsInput1ClassDimensionsAndColumnCount) {
  Inputs c = squareCall();
  for (auto cls : {ArrayClass::Single, ArrayClass::Int32, ArrayClass::Logical, ArrayClass::Char,
                   ArrayClass::Struct, ArrayClass::FunctionHandle}) {
    c.in[0] = makeArray(cls, {2, 63});
    expectFault([&] { c.run(); },
                "winscore:ringdiff:notRealDoubleMatrix", "input 1 (integralHistogram)");
  }
  c.in[0] = makeArray(ArrayClass::Double, {2, 63}, true);
  expectFault([&] { c.run(); },
              "winscore:ringdiff:notRealDoubleMatrix", "input 1 (integralHistogram)");
  c.in[0] = makeArray(ArrayClass::Double, {2, 63, 2});
  expectFault([&] { c.run(); },
              "winscore:ringdiff:notRealDoubleMatrix", "input 1 (integralHistogram)");
  c.in[0] = matrix(2, 64);  // (R+1)(C+1) + 1 columns
  expectFault([&] { c.run(); },
              "winscore:ringdiff:notRealDoubleMatrix", "input 1 (integralHistogram)");
  c.in[0] = makeArray(ArrayClass::Double, {2, 63}, false, true);
  expectHostErrorContaining([&] { c.run(); }, "input 1 (integralHistogram) must be a real double");

  // The column count is formed in 32 bits: 65536 * 65537 wraps to 65536.
  Inputs wide{{matrix(0, 65536), scalar(65535), scalar(65536), row({1}), row({1}), row({2}),
               row({2}), scalar(100), scalar(0), scalar(1)}};
  EXPECT_EQ(testhost::valuesOf(wide.run().outputs[0].get()), (std::vector<double>{0}));
  // With one bin the offsets would pass 2^31.
  wide.in[0] = matrix(1, 65536);
  wide.in[8] = scalar(1);
  expectFault([&] { wide.run(); },
              "winscore:ringdiff:histogramTooLarge",
              "inputs 2, 3 and 9 (numberRows, numberColumns, numberBins)");
}

TEST(RingdiffGateway, RejectsSizesTheOffsetsCannotRelyOn) {
  Inputs c = squareCall();
  c.in[8] = scalar(3);
  expectFault([&] { c.run(); }, "winscore:ringdiff:rowsNotBins", "input 1 (integralHistogram)");
  c.in[8] = scalar(-1);
  expectHostErrorContaining([&] { c.run(); }, "input 9 (numberBins) must not be negative");
  c.in[8] = scalar(2);
  c.in[9] = scalar(-2);
  expectHostErrorContaining([&] { c.run(); }, "input 10 (numberWindows) must not be negative");
  c.in[9] = scalar(4);
  expectFault([&] { c.run(); }, "winscore:ringdiff:tooFewElements", "input 4 (xmin)");
  c.in[9] = scalar(3);
  c.in[6] = row({4, 6});
  expectFault([&] { c.run(); }, "winscore:ringdiff:tooFewElements", "input 7 (ymax)");
  Inputs negative{{matrix(2, 0), scalar(-1), scalar(5), row({1}), row({1}), row({1}), row({1}),
                   scalar(0), scalar(2), scalar(1)}};
  expectHostErrorContaining([&] { negative.run(); }, "input 2 (numberRows) must not be negative");
}

TEST(RingdiffGateway, NamesTheWindowThatCannotBeScored) {
  Inputs c = squareCall();
  const size_t before = testhost::liveArrays();
  c.in[5] = row({4, 0, 8});
  expectFault([&] { c.run(); }, "winscore:ringdiff:emptyWindow");
  EXPECT_EQ(testhost::liveArrays(), before);  // output and working vectors dropped

  c.in[5] = row({4, 8, 9});
  expectFault([&] { c.run(); },
              "winscore:ringdiff:windowOutside", "window 3 (xmin 7, ymin 5, xmax 9, ymax 6)");
  c.in[5] = row({4, 8, 8});
  c.in[4] = row({3, NAN, 5});
  expectHostErrorContaining([&] { c.run(); }, "window 2 (xmin 1, ymin NaN, xmax 8, ymax 6)");
  c.in[4] = row({3, 1, 5});
  c.in[3] = row({3, 1, -INFINITY});
  expectHostErrorContaining([&] { c.run(); }, "window 3 (xmin -Inf,");
  c.in[3] = row({3, 1, 7});
  c.in[7] = scalar(-1000);
  expectFault([&] { c.run(); },
              "winscore:ringdiff:surroundOutside", "window 1 (xmin 3, ymin 3, xmax 4, ymax 4)");
  // The surround box as the kernel reports it, for the -1000 percent of input 8.
  expectHostErrorContaining([&] { c.run(); }, "columns 13..-6 and rows 13..-6 for input 8");
  c.in[7] = scalar(-200);
  EXPECT_EQ(c.run().outputs[0] != nullptr, true);
}

}  // namespace
}  // namespace winscore
