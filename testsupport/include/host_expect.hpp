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

// Runs `call`, which must end in the host's error call with `identifier`, in
// a text that names `named` (the input, or the window, at fault). The exact
// texts are tested once, against the table; the text is kept for further checks.
template <typename Call>
testhost::HostError expectFault(Call&& call, const std::string& identifier,
                                const std::string& named = "") {
  try {
    call();
  } catch (const testhost::HostError& e) {
    EXPECT_EQ(e.identifier, identifier) << "message: " << e.what();
    EXPECT_NE(std::string(e.what()).find(named), std::string::npos) << "message: " << e.what();
    return e;
  }
  ADD_FAILURE() << "no host error; expected " << identifier;
  return testhost::HostError("", "");
}

// For a clear error whose text contains `fragment`.
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
