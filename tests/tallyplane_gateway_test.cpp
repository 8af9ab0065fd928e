// SPDX-License-Identifier: MIT
// tallyplane through the test host: counts, input tests and every rejected input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(TallyplaneGateway, ReturnsTheIntegralHistogram) {
  auto q = matrix(1, 1, {2.0});
  auto r = call(1, q, scalar(1), scalar(1.7), scalar(3.2));
  ASSERT_NE(r.outputs[0], nullptr);
  EXPECT_EQ(testhost::dimsOf(r.outputs[0].get()), (std::vector<size_t>{3, 4}));
  EXPECT_EQ(testhost::valuesOf(r.outputs[0].get()),
            (std::vector<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
  // Zero outputs requested still fill slot 1; a failed call leaves nothing behind.
  auto none = call(0, q, scalar(1), scalar(1), scalar(3));
  EXPECT_NE(none.outputs[0], nullptr);
  const size_t before = testhost::liveArrays();
  expectFault([&] { call(1, q, scalar(1), scalar(1)); }, "winscore:tallyplane:inputCount");
  EXPECT_EQ(testhost::liveArrays(), before);
}

TEST(TallyplaneGateway, ChecksCountsInOrder) {
  auto q = matrix(1, 1, {1.0});
  auto one = scalar(1);
  expectFault([&] { call(1, q, one, one); }, "winscore:tallyplane:inputCount");
  expectFault([&] { call(2, q, one, one, one, one); }, "winscore:tallyplane:inputCount");
  expectFault([&] { call(2, q, one, one, one); }, "winscore:tallyplane:outputCount");
}

TEST(TallyplaneGateway, RejectsInput1ThatIsNotARealDoubleMatrix) {
  auto one = scalar(1);
  for (auto cls : {ArrayClass::Single, ArrayClass::Int32, ArrayClass::Logical, ArrayClass::Char,
                   ArrayClass::Cell, ArrayClass::Struct, ArrayClass::FunctionHandle}) {
    auto q = makeArray(cls, {1, 1}, false, false, {1.0});
    expectFault([&] { call(1, q, one, one, one); },
                "winscore:tallyplane:notRealDoubleMatrix", "input 1 (quantMatrix)");
  }
  auto complexQ = makeArray(ArrayClass::Double, {1, 1}, true);
  expectFault([&] { call(1, complexQ, one, one, one); },
              "winscore:tallyplane:notRealDoubleMatrix", "input 1 (quantMatrix)");
  auto cube = makeArray(ArrayClass::Double, {1, 1, 2}, false, false, {1, 1});
  expectFault([&] { call(1, cube, one, one, one); },
              "winscore:tallyplane:notRealDoubleMatrix", "input 1 (quantMatrix)");
  auto sparse = makeArray(ArrayClass::Double, {1, 1}, false, true, {1.0});
  expectHostErrorContaining([&] { call(1, sparse, one, one, one); }, "input 1 (quantMatrix)");
}

TEST(TallyplaneGateway, RejectsUnsafeSizesAndBins) {
  auto q = matrix(2, 2, {1, 2, 1, 2});
  auto one = scalar(1), two = scalar(2);
  expectHostErrorContaining([&] { call(1, q, scalar(-1), two, two); }, "input 2 (numberRows)");
  expectHostErrorContaining([&] { call(1, q, two, scalar(-3), two); }, "input 3 (numberColumns)");
  expectHostErrorContaining([&] { call(1, q, two, two, scalar(-1)); }, "input 4 (numberBins)");
  expectHostErrorContaining([&] { call(1, q, scalar(NAN), two, two); }, "input 2 (numberRows)");
  expectHostErrorContaining([&] { call(1, q, two, scalar(3e9), two); }, "input 3 (numberColumns)");
  expectHostErrorContaining([&] { call(1, q, two, two, scalar(INFINITY)); }, "input 4");
  auto empty = matrix(0, 0);
  expectHostErrorContaining([&] { call(1, q, empty, two, two); }, "input 2 (numberRows)");
  auto cell = makeArray(ArrayClass::Cell, {1, 1});
  expectHostErrorContaining([&] { call(1, q, two, cell, two); }, "input 3 (numberColumns)");
  // Fewer than R*C elements, whatever the shape.
  expectHostErrorContaining([&] { call(1, q, scalar(5), one, two); }, "at least 5 elements");
  // Bins outside 1..B, and NaN.
  expectHostErrorContaining([&] { call(1, q, two, two, one); }, "input 1 (quantMatrix) element 2");
  auto nanQ = matrix(1, 1, {NAN});
  expectHostErrorContaining([&] { call(1, nanQ, one, one, two); }, "input 1 (quantMatrix)");
  auto zeroQ = matrix(1, 1, {0.5});
  expectHostErrorContaining([&] { call(1, zeroQ, one, one, two); }, "1..2");
  // Sizes whose output cannot exist in the host, refused before creation.
  auto big = scalar(2147483647);
  testhost::setAllocationCap(std::size_t{1} << 30);
  expectHostErrorContaining([&] { call(1, empty, big, scalar(0), big); }, "more elements");
  testhost::setAllocationCap(0);
}

TEST(TallyplaneGateway, EmptyImageGivesTheZeroOutputOfTheFormula) {
  auto empty = matrix(0, 0);
  auto r = call(1, empty, scalar(0), scalar(3), scalar(2));
  EXPECT_EQ(testhost::dimsOf(r.outputs[0].get()), (std::vector<size_t>{2, 4}));
  for (double v : testhost::valuesOf(r.outputs[0].get())) EXPECT_EQ(v, 0.0);
  // Shape does not matter, only the element count.
  auto column = matrix(4, 1, {1, 1, 2, 2});
  auto s = call(1, column, scalar(2), scalar(2), scalar(2));
  EXPECT_EQ(testhost::valuesOf(s.outputs[0].get()).back(), 2.0);
}

}  // namespace
}  // namespace winscore

namespace winscore {
namespace {

// No pixel rows: the output of 2^31 empty corner columns is complete at once,
// without a pass over its columns.
TEST(TallyplaneGateway, NoRowsReturnsTheEmptyOutputAtOnce) {
  auto empty = testhost::matrix(0, 0);
  auto r = testhost::call(1, empty, testhost::scalar(0), testhost::scalar(2147483647),
                          testhost::scalar(0));
  EXPECT_EQ(testhost::dimsOf(r.outputs[0].get()), (std::vector<size_t>{0, 2147483648u}));
}

}  // namespace
}  // namespace winscore
