// SPDX-License-Identifier: MIT
// Bit-exact comparison of doubles, so -0.0 and NaN payloads count.
#ifndef WINSCORE_TESTS_BITS_HPP
#define WINSCORE_TESTS_BITS_HPP

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace winscore::testing {

inline std::uint64_t bitsOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

inline void expectSameBits(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i)
    ASSERT_EQ(bitsOf(actual[i]), bitsOf(expected[i]))
        << "element " << i << ": " << actual[i] << " vs " << expected[i];
}

}  // namespace winscore::testing

#endif
