// SPDX-License-Identifier: MIT
// Expectations on calls through the test host.
#ifndef WINSCORE_TESTS_HOST_EXPECT_HPP
#define WINSCORE_TESTS_HOST_EXPECT_HPP

#include <gtest/gtest.h>

#include <string>

#include "messages.hpp"
#include "testhost.hpp"

namespace winscore::testing {

// The identifier is winscore:<plug-in>:<fault> for a fault of the table, the
// plug-in's own or a shared one.
inline ::testing::AssertionResult inMessageTable(const std::string& identifier) {
  const auto first = identifier.find(':');
  const auto second = identifier.find(':', first + 1);
  if (identifier.substr(0, first) == "winscore" && second != std::string::npos) {
    const std::string plugin = identifier.substr(first + 1, second - first - 1);
    const std::string fault = identifier.substr(second + 1);
    for (const hostif::Message& m : hostif::kMessages)
      if (m.fault == fault && (m.plugin == plugin || std::string(m.plugin) == "any"))
        return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "identifier \"" << identifier << "\" is not in the table";
}

// Runs `call`, which must end in the host's error call with exactly `message`
// (and `identifier`, when given). Returns the error for further checks.
template <typename Call>
testhost::HostError expectHostError(Call&& call, const std::string& message,
                                    const std::string& identifier = "") {
  try {
    call();
  } catch (const testhost::HostError& e) {
    EXPECT_EQ(std::string(e.what()), message);
    EXPECT_TRUE(inMessageTable(e.identifier));
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
    EXPECT_TRUE(inMessageTable(e.identifier));
    return;
  }
  ADD_FAILURE() << "no host error; expected one containing \"" << fragment << "\"";
}

}  // namespace winscore::testing

#endif
