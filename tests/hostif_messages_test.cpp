// SPDX-License-Identifier: MIT
// The table of messages, its formatter, and the class named by a data input's error.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "host.hpp"
#include "host_expect.hpp"
#include "testhost.hpp"

namespace {

namespace hostif = winscore::hostif;
constexpr hostif::Plugin kProbe{"probe"};
constexpr hostif::Input kData{0, "quantMatrix"};

}  // namespace

// A gateway that only reads its one data input, to see how each class is refused.
void mexFunction(int, mxArray*[], int, const mxArray* prhs[]) {
  hostif::Call{kProbe, prhs}.readData(kData);
}

namespace winscore {
namespace {

using hostif::kMessages;
using testhost::ArrayClass;
using testhost::makeArray;
using testing::expectHostError;

TEST(HostifMessages, EveryIdentifierNamesAPlugInAndAFaultOnce) {
  const std::set<std::string> plugins{"any",      "tallyplane",   "ringdiff",  "gridsweep",
                                      "peakpick", "drawweighted", "greedypick"};
  // The toolbox API's own kernels (WS_API_KERNELS) report through the same table.
  const std::set<std::string> apiKernels{"ringcontrast"};
  const std::regex fault("[a-z][A-Za-z0-9]*");
  std::set<std::pair<std::string, std::string>> seen;
  for (const hostif::Message& m : kMessages) {
    EXPECT_EQ(plugins.count(m.plugin) + apiKernels.count(m.plugin), 1u) << m.plugin;
    EXPECT_TRUE(std::regex_match(m.fault, fault)) << m.fault;
    EXPECT_TRUE(seen.emplace(m.plugin, m.fault).second) << m.plugin << ":" << m.fault;
    EXPECT_GT(std::strlen(m.text), 0u);
    // Braces appear only as the {} that take values.
    const std::string rest = std::regex_replace(m.text, std::regex("\\{\\}"), "");
    EXPECT_EQ(rest.find_first_of("{}"), std::string::npos) << m.text;
  }
  // A plug-in's own fault never takes the name of a shared one.
  for (const hostif::Message& m : kMessages)
    EXPECT_TRUE(std::string(m.plugin) == "any" || seen.count({"any", m.fault}) == 0) << m.fault;
  // Every plug-in and API kernel has its two count messages, and the shared
  // operations raise no count or input-1 message of their own.
  for (const std::string& kernel : apiKernels) {
    EXPECT_EQ(seen.count({kernel, "inputCount"}), 1u) << kernel;
    EXPECT_EQ(seen.count({kernel, "outputCount"}), 1u) << kernel;
  }
  for (const std::string& plugin : plugins) {
    const bool shared = plugin == "any";
    EXPECT_EQ(seen.count({plugin, "inputCount"}), shared ? 0u : 1u) << plugin;
    EXPECT_EQ(seen.count({plugin, "outputCount"}), shared ? 0u : 1u) << plugin;
    EXPECT_EQ(seen.count({plugin, "notRealDoubleMatrix"}),
              shared || plugin == "greedypick" ? 0u : 1u)
        << plugin;
  }
}

TEST(HostifMessages, ReadmeListsEveryFaultUnderItsPlugIn) {
  std::ifstream file(WINSCORE_README);
  std::stringstream text;
  text << file.rdbuf();
  const std::string readme = text.str();
  const auto begin = readme.find("## Errors");
  ASSERT_NE(begin, std::string::npos);
  const std::string errors = readme.substr(begin, readme.find("\n## ", begin + 1) - begin);
  // Faults before the table are listed for every plug-in; the table's rows
  // list each plug-in's own.
  const auto table = errors.find("| plug-in |");
  ASSERT_NE(table, std::string::npos);
  const std::string forAll = errors.substr(0, table);
  for (const hostif::Message& m : kMessages) {
    const std::string fault = std::string("`") + m.fault + "`";
    const auto row = errors.find(std::string("| `") + m.plugin + "` |", table);
    const std::string own =
        row == std::string::npos ? "" : errors.substr(row, errors.find('\n', row) - row);
    EXPECT_TRUE(forAll.find(fault) != std::string::npos || own.find(fault) != std::string::npos)
        << m.plugin << ":" << m.fault;
  }
}

TEST(HostifMessages, FormatterFillsValuesInOrderAsTheHostPrintsThem) {
  constexpr hostif::Message m{"any", "probe", "{} is {}, {}, {}, {} or {}: {} elements"};
  EXPECT_STREQ(hostif::formatMessage(m, {hostif::Input{9, "numberWindows"}, NAN, -INFINITY, 0.1,
                                         1e300, -0.0, 2147483648LL}),
               "input 10 (numberWindows) is NaN, -Inf, 0.1, 1e+300 or -0: 2147483648 elements");
  // Texts without values stay exact, trailing blank included; missing values
  // leave their place empty rather than reading past the list.
  EXPECT_STREQ(hostif::formatMessage(hostif::messages::drawweighted::inputCount),
               "3 input argument required: scoreVector, numberSamples, replacementOption ");
  EXPECT_STREQ(hostif::formatMessage(m, {"one"}), "one is , , ,  or :  elements");
  // A long text, or long values, cannot overrun the message.
  const std::string longText(5000, 'x');
  EXPECT_LT(std::strlen(hostif::formatMessage({"any", "probe", longText.c_str()})), 2000u);
  std::string holes;
  for (int k = 0; k < 100; ++k) holes += "{}";
  EXPECT_LT(std::strlen(hostif::formatMessage(
                {"any", "probe", holes.c_str()},
                {longText.c_str(), longText.c_str(), longText.c_str(), longText.c_str(),
                 longText.c_str(), longText.c_str(), longText.c_str(), longText.c_str(),
                 longText.c_str(), longText.c_str(), longText.c_str(), longText.c_str(),
                 longText.c_str(), longText.c_str(), longText.c_str(), longText.c_str(),
                 longText.c_str(), longText.c_str(), longText.c_str(), longText.c_str()})),
            2000u);
}

TEST(HostifMessages, DataInputOfAnotherClassIsNamedWithItsConversion) {
  const std::string prefix = "input 1 (quantMatrix) must be a real double array, not ";
  const std::string toDouble = "; convert it with double(quantMatrix)";
  const struct {
    ArrayClass arrayClass;
    bool complex, sparse;
    std::string expected;
  } cases[] = {
      {ArrayClass::Single, false, false, "single" + toDouble},
      {ArrayClass::Int32, false, false, "int32" + toDouble},
      {ArrayClass::Uint8, false, false, "uint8" + toDouble},
      {ArrayClass::Logical, false, false, "logical" + toDouble},
      {ArrayClass::Char, false, false, "char" + toDouble},
      {ArrayClass::Cell, false, false, "cell"},
      {ArrayClass::Struct, false, false, "struct"},
      {ArrayClass::FunctionHandle, false, false, "function_handle"},
      {ArrayClass::Double, true, false, "complex double"},
      {ArrayClass::Single, true, false, "complex single"},
      {ArrayClass::Double, false, true, "sparse double; convert it with full(quantMatrix)"},
      {ArrayClass::Logical, false, true,
       "sparse logical; convert it with full(double(quantMatrix))"},
  };
  for (const auto& c : cases) {
    auto array = makeArray(c.arrayClass, {2, 2}, c.complex, c.sparse);
    expectHostError([&] { testhost::call(0, array); }, prefix + c.expected,
                    "winscore:probe:notRealDouble");
  }
  auto dense = makeArray(ArrayClass::Double, {2, 2});
  EXPECT_NO_THROW(testhost::call(0, dense));
}

}  // namespace
}  // namespace winscore
