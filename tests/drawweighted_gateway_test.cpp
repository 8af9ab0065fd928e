// SPDX-License-Identifier: MIT
// drawweighted through the test host: shapes, output slots, and every rejected
// input in the order the checks run. The carried sequence is tested in Octave,
// where unloading the plug-in restarts it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "host_expect.hpp"
#include "testhost.hpp"

namespace winscore {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using testhost::ArrayClass;
using testhost::call;
using testhost::makeArray;
using testhost::matrix;
using testhost::row;
using testhost::scalar;
using testing::expectFault;
using testing::expectHostErrorContaining;


std::vector<double> valuesOf(const testhost::CallResult& r) {
  return testhost::valuesOf(r.outputs[0].get());
}

TEST(DrawweightedGateway, ReturnsARowOfOneBasedIndices) {
  // Only index 3 has weight, so every draw gives 3, g = 32767 included.
  auto r = call(1, row({0, 0, 5}), scalar(4.9), scalar(1));
  EXPECT_EQ(testhost::dimsOf(r.outputs[0].get()), (std::vector<size_t>{1, 4}));
  EXPECT_EQ(valuesOf(r), (std::vector<double>{3, 3, 3, 3}));
  // A 2 x 3 matrix has L = 3 and its scores are (1,1), (2,1), (1,2); the rest is unread.
  auto wide = matrix(2, 3, {0, 0, 1, 7, 7, 7});
  EXPECT_EQ(valuesOf(call(1, wide, scalar(3), scalar(1))), (std::vector<double>{3, 3, 3}));
  auto tall = matrix(3, 2, {0, 2, 0, 9, 9, 9});
  EXPECT_EQ(valuesOf(call(1, tall, scalar(2), scalar(1))), (std::vector<double>{2, 2}));
  // Without replacement n = L is allowed, and 0.5 truncates to 0.
  auto drawn = valuesOf(call(1, row({4, 0.5, 0.25}), scalar(3), scalar(0.5)));
  ASSERT_EQ(drawn.size(), 3u);
  for (double v : drawn) EXPECT_TRUE(v == 1 || v == 2 || v == 3) << v;
  // Negative, infinite and NaN scores are drawn from as they stand.
  for (auto scores : {std::vector<double>{-1, 2, -3}, {kNaN, 1, 1}, {kInf, 1},
                      {1, -kInf, 1, kNaN}}) {
    for (double mode : {0.0, 1.0}) {
      auto out = valuesOf(call(1, row(scores), scalar(static_cast<double>(scores.size())),
                               scalar(mode)));
      for (double v : out) EXPECT_TRUE(v >= 1 && v <= static_cast<double>(scores.size())) << v;
    }
  }
}

TEST(DrawweightedGateway, NoDrawsAndOutputSlots) {
  // n = 0 gives a 1 x 0 row and reads no score, so an empty scoreVector is fine.
  std::vector<testhost::Array> inputs;
  inputs.push_back(matrix(0, 0));
  inputs.push_back(matrix(0, 5));
  inputs.push_back(row({1, 2}));
  for (const auto& scores : inputs) {
    for (double mode : {0.0, 1.0}) {
      auto r = call(1, scores, scalar(0.7), scalar(mode));
      EXPECT_EQ(testhost::dimsOf(r.outputs[0].get()), (std::vector<size_t>{1, 0}));
    }
  }
  // Slot 1 is filled with 0 outputs requested; with 2, slot 2 stays unassigned.
  auto none = call(0, row({1}), scalar(1), scalar(1));
  EXPECT_EQ(testhost::valuesOf(none.outputs[0].get()), (std::vector<double>{1}));
  auto two = call(2, row({1}), scalar(2), scalar(1));
  EXPECT_EQ(testhost::valuesOf(two.outputs[0].get()), (std::vector<double>{1, 1}));
  EXPECT_EQ(two.outputs[1], nullptr);
}

TEST(DrawweightedGateway, ChecksCountsInputOneAndSampleCountInOrder) {
  auto s = row({1, 2});
  auto one = scalar(1);
  auto nan = scalar(kNaN);
  auto empty = matrix(0, 0);
  auto complexScores = makeArray(ArrayClass::Double, {1, 2}, true);
  auto cube = makeArray(ArrayClass::Double, {1, 3, 2}, false, false, {1, 1, 1, 1, 1, 1});
  // A failed call leaves nothing behind.
  const size_t before = testhost::liveArrays();
  expectFault([&] { call(1, s, one); }, "winscore:drawweighted:inputCount");
  expectFault([&] { call(3, s, one, one, one); }, "winscore:drawweighted:inputCount");
  expectFault([&] { call(3, s, one, one); }, "winscore:drawweighted:outputCount");
  for (auto cls : {ArrayClass::Single, ArrayClass::Int32, ArrayClass::Logical, ArrayClass::Char,
                   ArrayClass::Cell, ArrayClass::Struct, ArrayClass::FunctionHandle}) {
    auto bad = makeArray(cls, {1, 2}, false, false, {1, 1});
    expectFault([&] { call(1, bad, one, one); },
                "winscore:drawweighted:notRealDoubleMatrix", "input 1 (X)");
  }
  expectFault([&] { call(1, complexScores, one, one); },
              "winscore:drawweighted:notRealDoubleMatrix", "input 1 (X)");
  expectFault([&] { call(1, cube, one, one); },
              "winscore:drawweighted:notRealDoubleMatrix", "input 1 (X)");
  // Input 1 is tested before input 2 is read.
  expectFault([&] { call(1, cube, nan, one); },
              "winscore:drawweighted:notRealDoubleMatrix", "input 1 (X)");
  // Without replacement n may not exceed L; with replacement it may.
  expectFault([&] { call(1, s, scalar(3), scalar(0)); }, "winscore:drawweighted:tooManySamples");
  expectFault([&] { call(1, s, scalar(3.9), scalar(0.7)); },
              "winscore:drawweighted:tooManySamples");
  expectFault([&] { call(1, empty, scalar(1), scalar(0)); },
              "winscore:drawweighted:tooManySamples");
  EXPECT_EQ(valuesOf(call(1, row({0, 1}), scalar(3), scalar(-2))),
            (std::vector<double>{2, 2, 2}));
  EXPECT_EQ(testhost::liveArrays(), before);
}

TEST(DrawweightedGateway, RejectsInputsThatCannotBeDrawnFromSafely) {
  auto s = row({1, 2});
  auto one = scalar(1);
  // An empty scoreVector has nothing to draw from, in either mode (0 x 5 has L = 5).
  for (auto dims : {std::vector<size_t>{0, 0}, {0, 5}, {5, 0}})
    for (double mode : {0.0, 1.0}) {
      if (mode == 0.0 && dims[0] == 0 && dims[1] == 0) continue;  // n > L reports first
      auto empty = makeArray(ArrayClass::Double, dims);
      expectFault([&] { call(1, empty, scalar(2), scalar(mode)); },
                  "winscore:drawweighted:emptyScoreVector", "input 1 (scoreVector)");
    }
  auto sparse = makeArray(ArrayClass::Double, {1, 2}, false, true, {1, 1});
  expectHostErrorContaining([&] { call(1, sparse, one, one); }, "input 1 (scoreVector)");
  expectFault([&] { call(1, s, scalar(-1), one); },
              "winscore:drawweighted:negative", "input 2 (numberSamples)");
  for (double bad : {kNaN, -kInf, 3e9}) {
    expectHostErrorContaining([&] { call(1, s, scalar(bad), one); }, "input 2 (numberSamples)");
    expectHostErrorContaining([&] { call(1, s, one, scalar(bad)); },
                              "input 3 (replacementOption)");
  }
  // Input 2 is read before input 3.
  expectHostErrorContaining([&] { call(1, s, scalar(kNaN), scalar(kNaN)); }, "input 2");
}

}  // namespace
}  // namespace winscore
