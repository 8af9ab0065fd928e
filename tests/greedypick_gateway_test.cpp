// SPDX-License-Identifier: MIT
// greedypick through the test host: the fixed-length list, both outputs and every rejected input.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "host_expect.hpp"
#include "testhost.hpp"

namespace winscore {
namespace {

using testhost::ArrayClass;
using testhost::Array;
using testhost::call;
using testhost::makeArray;
using testhost::matrix;
using testhost::scalar;
using testing::expectFault;
using testing::expectHostErrorContaining;

constexpr std::size_t kLength = 100000;

// The five list inputs, every window 1..10 x 1..10 unless changed.
struct List {
  std::vector<double> area = std::vector<double>(kLength, 100.0);
  std::vector<double> xmin = std::vector<double>(kLength, 1.0);
  std::vector<double> ymin = std::vector<double>(kLength, 1.0);
  std::vector<double> xmax = std::vector<double>(kLength, 10.0);
  std::vector<double> ymax = std::vector<double>(kLength, 10.0);
};

struct Inputs {
  Array area, any, xmin, ymin, xmax, ymax;
  explicit Inputs(const List& l)
      : area(matrix(kLength, 1, l.area)), any(scalar(0)), xmin(matrix(kLength, 1, l.xmin)),
        ymin(matrix(kLength, 1, l.ymin)), xmax(matrix(kLength, 1, l.xmax)),
        ymax(matrix(kLength, 1, l.ymax)) {}
  testhost::CallResult run(int nlhs, const Array& numberKept) const {
    return call(nlhs, area, any, xmin, ymin, xmax, ymax, numberKept);
  }
};

TEST(GreedypickGateway, AllIdenticalKeepsOnlyTheFirstAndMarksEverything) {
  const Inputs in{List{}};
  auto r = in.run(2, scalar(3.8));
  EXPECT_EQ(testhost::dimsOf(r.outputs[0].get()), (std::vector<size_t>{3, 1}));
  EXPECT_EQ(testhost::valuesOf(r.outputs[0].get()), (std::vector<double>{0, -1, -1}));
  EXPECT_EQ(testhost::dimsOf(r.outputs[1].get()), (std::vector<size_t>{kLength, 1}));
  EXPECT_EQ(testhost::valuesOf(r.outputs[1].get()), std::vector<double>(kLength, 1.0));
  // c = 0: an empty 0 x 1 list and an all-zero marker vector.
  auto none = in.run(2, scalar(0.9));
  EXPECT_EQ(testhost::dimsOf(none.outputs[0].get()), (std::vector<size_t>{0, 1}));
  EXPECT_EQ(testhost::valuesOf(none.outputs[1].get()), std::vector<double>(kLength, 0.0));
  // With one output or none the marker vector is scratch, freed when the call ends.
  const size_t before = testhost::liveArrays();
  auto one = in.run(0, scalar(1));
  EXPECT_EQ(one.outputs.size(), 1u);
  EXPECT_EQ(testhost::valuesOf(one.outputs[0].get()), (std::vector<double>{0}));
  EXPECT_EQ(testhost::liveArrays(), before + 1);
}

TEST(GreedypickGateway, CountBeyondTheListLeavesTheRestUnfilled) {
  // Positions 1 and 2 lie apart from the rest; everything else repeats window 0.
  List l;
  l.xmin[1] = 20, l.xmax[1] = 29;
  l.xmin[2] = 40, l.xmax[2] = 49;
  l.xmin[99999] = 60, l.xmax[99999] = 69;
  const Inputs in{l};
  auto r = in.run(1, scalar(100002));
  auto kept = testhost::valuesOf(r.outputs[0].get());
  ASSERT_EQ(kept.size(), 100002u);
  EXPECT_EQ((std::vector<double>(kept.begin(), kept.begin() + 5)),
            (std::vector<double>{0, 1, 2, 99999, -1}));
  for (size_t k = 4; k < kept.size(); ++k) ASSERT_EQ(kept[k], -1.0) << k;
  // Only elements 0..99999 count, whatever the shape and whatever follows.
  Inputs shaped{l};
  std::vector<double> xmin = l.xmin;
  xmin.push_back(1e9);
  shaped.xmin = matrix(1, kLength + 1, xmin);
  shaped.area = matrix(400, 250, l.area);
  EXPECT_EQ(testhost::valuesOf(shaped.run(1, scalar(5)).outputs[0].get()),
            (std::vector<double>{0, 1, 2, 99999, -1}));
}

TEST(GreedypickGateway, ChecksCountsAndListInputs) {
  const Inputs in{List{}};
  auto c = scalar(1);
  const char* const inputs = "7 input argument required.";
  expectFault([&] { call(1, in.area, in.any, in.xmin, in.ymin, in.xmax, in.ymax); },
              "winscore:greedypick:inputCount");
  expectFault([&] { call(3, in.area, in.any, in.xmin, in.ymin, in.xmax, in.ymax, c, c); },
              "winscore:greedypick:inputCount");
  expectFault([&] { in.run(3, c); }, "winscore:greedypick:outputCount");
  // Input 2 is never read, so any array will do.
  for (auto cls : {ArrayClass::Cell, ArrayClass::Struct, ArrayClass::Char}) {
    auto any = makeArray(cls, {0, 0});
    auto r = call(1, in.area, any, in.xmin, in.ymin, in.xmax, in.ymax, c);
    EXPECT_EQ(testhost::valuesOf(r.outputs[0].get()), (std::vector<double>{0}));
  }
  // Each list input must hold 100000 real doubles.
  auto shortList = matrix(kLength - 1, 1);
  auto single = makeArray(ArrayClass::Single, {kLength, 1});
  auto sparse = makeArray(ArrayClass::Double, {kLength, 1}, false, true);
  const size_t before = testhost::liveArrays();
  const char* const names[] = {"input 1 (areaVector)", "", "input 3 (xmin)", "input 4 (ymin)",
                               "input 5 (xmax)", "input 6 (ymax)"};
  for (int slot : {0, 2, 3, 4, 5}) {
    std::vector<const mxArray*> args{in.area.get(), in.any.get(), in.xmin.get(), in.ymin.get(),
                                     in.xmax.get(), in.ymax.get(), c.get()};
    args[slot] = shortList.get();
    // The required count is printed by the shared number formatting.
    try {
      call(1, args);
      ADD_FAILURE() << "a short " << names[slot] << " was accepted";
    } catch (const testhost::HostError& e) {
      const std::string text = e.what();
      EXPECT_EQ(text.rfind(std::string(names[slot]) + " must hold at least ", 0), 0u) << text;
      EXPECT_NE(text.find(" elements, not 99999"), std::string::npos) << text;
      EXPECT_EQ(e.identifier, "winscore:greedypick:tooFewElements");
    }
    const std::string notRealDouble = std::string(names[slot]) + " must be a real double array";
    args[slot] = single.get();
    expectHostErrorContaining([&] { call(1, args); }, notRealDouble + ", not single");
    args[slot] = sparse.get();
    expectHostErrorContaining([&] { call(1, args); }, notRealDouble + ", not sparse");
  }
  EXPECT_EQ(testhost::liveArrays(), before);
}

TEST(GreedypickGateway, RejectsACountThatIsNotAUsableNumber) {
  const Inputs in{List{}};
  expectFault([&] { in.run(1, scalar(-1)); },
              "winscore:greedypick:negative", "input 7 (numberKept)");
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), 3e9, -3e9,
                     std::numeric_limits<double>::infinity()})
    expectHostErrorContaining([&] { in.run(1, scalar(bad)); }, "input 7 (numberKept)");
  expectHostErrorContaining([&] { in.run(1, matrix(0, 0)); }, "input 7 (numberKept)");
  // Truncation toward zero: -0.5 is a count of 0.
  EXPECT_EQ(testhost::dimsOf(in.run(1, scalar(-0.5)).outputs[0].get()),
            (std::vector<size_t>{0, 1}));
}

}  // namespace
}  // namespace winscore
