// SPDX-License-Identifier: MIT
// ringcontrast through the test host: its four forms and every refused input.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bits.hpp"
#include "host_expect.hpp"
#include "testhost.hpp"

namespace winscore {
namespace {

using testhost::Array;
using testhost::ArrayClass;
using testhost::call;
using testhost::makeArray;
using testhost::matrix;
using testhost::scalar;
using testhost::text;
using testhost::valuesOf;
using testing::expectHostError;

// A 3 x 4 image of bin 1 with bin 2 at (2, 2) and (2, 3).
Array binImage() { return matrix(3, 4, {1, 1, 1, 1, 2, 1, 1, 2, 1, 1, 1, 1}); }
Array oneBox() { return matrix(1, 4, {2, 2, 3, 2}); }

TEST(RingcontrastGateway, ScoresBinsAndPixelsAlike) {
  const auto byBins =
      call(1, text("bins"), binImage(), scalar(2), oneBox(), scalar(200), scalar(1e9));
  // The window holds only bin 2, its ring (the whole image) only bin 1.
  EXPECT_EQ(valuesOf(byBins.outputs[0].get()), std::vector<double>{2.0});
  // uint8 pixels 0 and 255 at 2 bins are bins 1 and 2.
  const std::vector<double> bins = valuesOf(binImage().get());
  std::vector<double> pixels;
  for (double b : bins) pixels.push_back(b == 2 ? 255 : 0);
  const auto byPixels = call(1, text("pixels"), makeArray(ArrayClass::Uint8, {3, 4}, false, false, pixels),
                             scalar(2), oneBox(), scalar(200), scalar(1e9));
  EXPECT_EQ(valuesOf(byPixels.outputs[0].get()), std::vector<double>{2.0});
  const auto q = call(1, text("quantise"), makeArray(ArrayClass::Uint8, {3, 4}, false, false, pixels),
                      scalar(2));
  EXPECT_EQ(valuesOf(q.outputs[0].get()), bins);
  const auto none = call(1, text("bins"), binImage(), scalar(2), matrix(0, 4), scalar(50), scalar(0));
  EXPECT_EQ(testhost::dimsOf(none.outputs[0].get()), (std::vector<std::size_t>{0, 1}));
  const auto bytes = call(1, text("bytes"), scalar(768), scalar(1024), scalar(64), scalar(3000));
  EXPECT_GT(valuesOf(bytes.outputs[0].get())[0], 1e5);
}

TEST(RingcontrastGateway, RefusesWhatTheKernelCannotTake) {
  struct Case {
    std::vector<Array> in;
    const char* fault;
  };
  auto with = [](const char* form, Array image, Array bins, Array boxes, Array surround,
                 Array maxBytes) {
    std::vector<Array> in;
    in.push_back(text(form));
    in.push_back(std::move(image));
    in.push_back(std::move(bins));
    in.push_back(std::move(boxes));
    in.push_back(std::move(surround));
    in.push_back(std::move(maxBytes));
    return in;
  };
  std::vector<Case> cases;
  cases.push_back({{}, "inputCount"});
  {
    std::vector<Array> in;
    in.push_back(text("bins"));
    cases.push_back({std::move(in), "formInputs"});
  }
  {
    std::vector<Array> in;
    in.push_back(scalar(1));
    cases.push_back({std::move(in), "badForm"});
  }
  cases.push_back({with("cubes", binImage(), scalar(2), oneBox(), scalar(50), scalar(1e9)), "badForm"});
  cases.push_back({with("bins", makeArray(ArrayClass::Single, {3, 4}), scalar(2), oneBox(),
                        scalar(50), scalar(1e9)), "notBinMatrix"});
  cases.push_back({with("pixels", makeArray(ArrayClass::Cell, {3, 4}), scalar(2), oneBox(),
                        scalar(50), scalar(1e9)), "notImage"});
  cases.push_back({with("pixels", makeArray(ArrayClass::Double, {3, 4, 2}), scalar(8), oneBox(),
                        scalar(50), scalar(1e9)), "notImage"});
  cases.push_back({with("pixels", makeArray(ArrayClass::Double, {3, 4}, true), scalar(8), oneBox(),
                        scalar(50), scalar(1e9)), "notImage"});
  cases.push_back({with("pixels", makeArray(ArrayClass::Double, {3, 4, 3}), scalar(9), oneBox(),
                        scalar(50), scalar(1e9)), "notCube"});
  cases.push_back({with("bins", binImage(), scalar(0), oneBox(), scalar(50), scalar(1e9)), "binsTooSmall"});
  cases.push_back({with("bins", binImage(), scalar(1), oneBox(), scalar(50), scalar(1e9)), "badBin"});
  cases.push_back({with("bins", binImage(), scalar(2), matrix(4, 1, {2, 2, 3, 2}), scalar(50),
                        scalar(1e9)), "boxesShape"});
  cases.push_back({with("bins", binImage(), scalar(2), matrix(1, 4, {2, 2, 5, 2}), scalar(50),
                        scalar(1e9)), "badBox"});
  cases.push_back({with("bins", binImage(), scalar(2), matrix(1, 4, {2, 2.5, 3, 3}), scalar(50),
                        scalar(1e9)), "badBox"});
  cases.push_back({with("bins", binImage(), scalar(2), oneBox(), scalar(-201), scalar(1e9)),
                   "surroundTooSmall"});
  cases.push_back({with("bins", binImage(), scalar(2), oneBox(), scalar(NAN), scalar(1e9)), "notInt32"});
  cases.push_back({with("bins", binImage(), scalar(2), oneBox(), scalar(50), scalar(NAN)), "badMaxBytes"});
  cases.push_back({with("bins", binImage(), scalar(2), oneBox(), scalar(50), scalar(1000)), "tooLarge"});
  for (const Case& c : cases) {
    std::vector<const mxArray*> inputs;
    for (const Array& a : c.in) inputs.push_back(a.get());
    try {
      call(1, inputs);
      ADD_FAILURE() << "no error; expected " << c.fault;
    } catch (const testhost::HostError& e) {
      EXPECT_EQ(e.identifier, std::string("winscore:ringcontrast:") + c.fault) << e.what();
      EXPECT_TRUE(testing::inMessageTable(e.identifier));
    }
  }
  expectHostError([] { call(2, text("bytes"), scalar(1), scalar(1), scalar(1), scalar(1)); },
                  "gives at most 1 output");
}

TEST(RingcontrastGateway, NamesTheFaultyElementAndBox) {
  expectHostError(
      [] { call(1, text("bins"), binImage(), scalar(1), oneBox(), scalar(50), scalar(1e9)); },
      "input 2 (image) element (2, 2) is 2: its floor must be a bin in 1..1");
  expectHostError(
      [] {
        call(1, text("bins"), binImage(), scalar(2), matrix(2, 4, {1, 2, 1, 2, 4, 5, 3, 3}),
             scalar(50), scalar(1e9));
      },
      "box 2, [2 2 5 3], must be whole numbers with 1 <= xmin <= xmax <= 4 and "
      "1 <= ymin <= ymax <= 3");
}

}  // namespace
}  // namespace winscore
