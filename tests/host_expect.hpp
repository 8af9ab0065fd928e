// SPDX-License-Identifier: MIT
// Expectations on calls through the test host.
#ifndef WINSCORE_TESTS_HOST_EXPECT_HPP
#define WINSCORE_TESTS_HOST_EXPECT_HPP

#include <gtest/gtest.h>

#include <string>

#include "testhost.hpp"

namespace winscore::testing {

// Runs `call`, which must end in the host's error call with exactly `message`
// (and `identifier`, when given). Returns the error for further checks.
template <typename Call>
testhost::HostError expectHostError(Call&& call, const std::string& message,
                                    const std::string& identifier = "") {
  try {
    call();
  } catch (const testhost::HostError& e) {
    EXPECT_EQ(std::string(e.what()), message);
    if (!identifier.empty()) {
      EXPECT_EQ(e.identifier, identifier);
    }
    return e;
  }
  ADD_FAILURE() << "no host error; expected \"" << message << "\"";
  return testhost::HostError("", "");
}

// As expectHostError, for a clear error whose text contains `fragment`.
template <typename Call>
void expectHostErrorContaining(Call&& call, const std::string& fragment) {
  try {
    call();
  } catch (const testhost::HostError& e) {
    EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos)
        << "message: " << e.what();
    EXPECT_EQ(e.identifier.rfind("winscore:", 0), 0u) << "identifier: " << e.identifier;
    return;
  }
  ADD_FAILURE() << "no host error; expected one containing \"" << fragment << "\"";
}

}  // namespace winscore::testing

#endif
