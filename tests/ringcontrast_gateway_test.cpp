// SPDX-License-Identifier: MIT
// ringcontrast through the test host.
#include <gtest/gtest.h>

#include "host_expect.hpp"
#include "testhost.hpp"

namespace winscore {
namespace {

TEST(RingcontrastGateway, GivesItsRevision) {
  const auto result = testhost::call(1, std::vector<const mxArray*>{});
  EXPECT_EQ(testhost::valuesOf(result.outputs[0].get()), std::vector<double>{0.0});
  testing::expectFault([] { testhost::call(2, std::vector<const mxArray*>{}); },
                       "winscore:ringcontrast:outputCount");
}

}  // namespace
}  // namespace winscore
