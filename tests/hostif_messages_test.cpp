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
#include <type_traits>
#include <utility>
#include <vector>

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
using testing::expectFault;

TEST(HostifMessages, EveryIdentifierNamesAPlugInAndAFaultOnce) {
  const std::set<std::string> plugins{"any",      "tallyplane",   "ringdiff",  "gridsweep",
                                      "peakpick", "drawweighted", "greedypick"};
  // The toolbox API's own kernels (WS_API_KERNELS) report through the same table.
  const std::set<std::string> apiKernels{"ringcontrast", "greedyselect"};
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
              shared || plugin == "greedypick" || plugin == "ringcontrast" ? 0u : 1u)
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

// Every text of the table as a caller reads it, filled with the values its
// raising call passes: the one place the exact texts are written down (the
// other tests check the identifier and the input named). Callers match on
// these texts, so a row changes only with the defined text.
TEST(HostifMessages, EveryTextAsTheCallerReadsIt) {
  namespace m = hostif::messages;
  using hostif::Input;
  const Input in1{0, "quantMatrix"}, h{0, "integralHistogram"}, bins{8, "numberBins"};
  const Input form{0, "form"}, image{1, "image"}, rcBins{2, "bins"}, maxBytes{5, "maxBytes"};
  const struct {
    const hostif::Message& message;
    std::vector<hostif::Arg> values;
    const char* text;
  } rows[] = {
      {m::any::notRealDouble, {in1, "sparse logical", "; convert it with full(double(quantMatrix))"},
       "input 1 (quantMatrix) must be a real double array, not sparse logical; convert it with "
       "full(double(quantMatrix))"},
      {m::any::tooFewElements, {Input{3, "xmin"}, 4, "elements", 3},
       "input 4 (xmin) must hold at least 4 elements, not 3"},
      {m::any::notScalar, {Input{9, "numberWindows"}},
       "input 10 (numberWindows) must be a non-empty, non-sparse numeric array"},
      {m::any::notInt32, {Input{1, "numberSamples"}},
       "input 2 (numberSamples) must be a number whose integer part fits a signed 32-bit integer"},
      {m::any::negative, {Input{6, "numberKept"}, -1}, "input 7 (numberKept) must not be negative, not -1"},
      {m::any::negativeSize, {-1, 3}, "output size -1 x 3 is negative"},
      {m::any::outputTooLarge, {1e10, 1e10},
       "output size 10000000000 x 10000000000 is more elements than the host can hold"},

      {m::tallyplane::inputCount, {}, "4 input argument required."},
      {m::tallyplane::outputCount, {}, "Too many output arguments."},
      {m::tallyplane::notRealDoubleMatrix, {}, "input 1 (quantMatrix) must be a real double matrix"},
      {m::tallyplane::binOutOfRange, {in1, 2, 0.999, 3},
       "input 1 (quantMatrix) element 2 is 0.999: its floor must be a bin in 1..3"},

      {m::ringdiff::inputCount, {}, "10 input argument required."},
      {m::ringdiff::outputCount, {}, "Too many output arguments."},
      {m::ringdiff::notRealDoubleMatrix, {},
       "input 1 (integralHistogram) must be a real double matrix"},
      {m::ringdiff::rowsNotBins, {h, 3, bins, 2},
       "input 1 (integralHistogram) must have 3 rows, one per bin of input 9 (numberBins), not 2"},
      {m::ringdiff::histogramTooLarge, {4295032832.0},
       "inputs 2, 3 and 9 (numberRows, numberColumns, numberBins) give (R+1)*(C+1)*B = "
       "4295032832 histogram elements, more than 32-bit offsets reach (2147483647)"},
      {m::ringdiff::emptyWindow, {}, "error xmax - xmin <=0 or ymax - ymin<=0"},
      {m::ringdiff::windowOutside, {3, 7, 5, 9, 6, h, 6, 8},
       "window 3 (xmin 7, ymin 5, xmax 9, ymax 6) would be read outside input 1 "
       "(integralHistogram): it must lie inside the image of 6 rows and 8 columns"},
      {m::ringdiff::surroundOutside,
       {1, 3, 3, 4, 4, h, 13, -6, 13, -6, Input{7, "surroundPercent"}, -1000, 6, 8},
       "window 1 (xmin 3, ymin 3, xmax 4, ymax 4) would be read outside input 1 "
       "(integralHistogram): its surround box, columns 13..-6 and rows 13..-6 for input 8 "
       "(surroundPercent) -1000, leaves the image of 6 rows and 8 columns"},

      {m::gridsweep::inputCount, {}, "7 input argument required."},
      {m::gridsweep::outputCount, {}, "Too many output arguments."},
      {m::gridsweep::notRealDoubleMatrix, {}, "input 1 (h) must be a real double matrix 64 x 64"},
      {m::gridsweep::gridSizeTooLarge, {Input{1, "gridSize"}, 46340, 46340, 46341},
       "input 2 (gridSize) must lie in -46340..46340 so that gridSize*gridSize fits a signed "
       "32-bit integer, not 46341"},

      {m::peakpick::inputCount, {}, "4 input arguments required."},
      {m::peakpick::outputCount, {}, "5 output arguments required"},
      {m::peakpick::notRealDoubleMatrix, {}, "input 1 (h) must be a real double matrix"},
      {m::peakpick::notFinite, {Input{3, "neighbourhoodSize"}, NAN},
       "input 4 (neighbourhoodSize) must be a finite number, not NaN"},
      {m::peakpick::neighbourhoodTooSmall, {Input{3, "neighbourhoodSize"}, 0.5},
       "input 4 (neighbourhoodSize) must be at least 1, not 0.5"},
      {m::peakpick::arrayTooLarge, {2147488281.0},
       "inputs 2 and 3 (sizeX, sizeY) describe an array of 2147488281 elements, more than "
       "signed 32-bit offsets can address"},
      {m::peakpick::outputTooLong, {8.1e17},
       "inputs 2 to 4 (sizeX, sizeY, neighbourhoodSize) give an output length of 8.1e+17, more "
       "than a signed 32-bit integer holds"},
      {m::peakpick::tooManyMaxima, {10, 8},
       "found 10 local maxima but the outputs hold only 8; this sizeX, sizeY and "
       "neighbourhoodSize give too short an output"},

      {m::drawweighted::inputCount, {},
       "3 input argument required: scoreVector, numberSamples, replacementOption "},
      {m::drawweighted::outputCount, {}, "Too many output arguments."},
      {m::drawweighted::notRealDoubleMatrix, {}, "input 1 (X) must be a real double scoreVector"},
      {m::drawweighted::scoreVectorTooLong, {Input{0, "scoreVector"}},
       "input 1 (scoreVector) must not have more than 2147483647 rows or columns"},
      {m::drawweighted::tooManySamples, {},
       "numberSamples <= length scoreVector (sampling without replacement)"},
      {m::drawweighted::emptyScoreVector, {Input{0, "scoreVector"}},
       "input 1 (scoreVector) must not be empty when numberSamples is 1 or more"},

      {m::greedypick::inputCount, {}, "7 input argument required."},
      {m::greedypick::outputCount, {}, "Too many output arguments."},

      {m::ringcontrast::inputCount, {},
       "expects a form ('quantise', 'pixels', 'bins', 'bytes' or 'range') and its inputs"},
      {m::ringcontrast::formInputs, {"bins", 6, 1}, "the form 'bins' takes 6 inputs, not 1"},
      {m::ringcontrast::outputCount, {}, "gives at most 1 output"},
      {m::ringcontrast::formOutputs, {"range", 3}, "the form 'range' gives at most 3 outputs"},
      {m::ringcontrast::badForm, {form},
       "input 1 (form) must be 'quantise', 'pixels', 'bins', 'bytes' or 'range'"},
      {m::ringcontrast::notImage, {image},
       "input 2 (image) must be a real, non-sparse R x C or R x C x 3 numeric or logical array"},
      {m::ringcontrast::notNumeric, {Input{1, "array"}},
       "input 2 (array) must be a real, non-sparse numeric or logical array"},
      {m::ringcontrast::notBinMatrix, {image},
       "input 2 (image) must be a real, non-sparse double R x C matrix of bin numbers"},
      {m::ringcontrast::imageTooLarge, {image, 4e9},
       "input 2 (image) has 4000000000 pixels; windows are scored on images of at most 2147483647"},
      {m::ringcontrast::binsTooSmall, {rcBins, 0}, "input 3 (bins) must be at least 1, not 0"},
      {m::ringcontrast::notCube, {rcBins, 9},
       "input 3 (bins) is 9: RGB pixels need a whole cube of bins (8, 27, 64, ...)"},
      {m::ringcontrast::badBin, {image, 2, 2, 2, 1},
       "input 2 (image) element (2, 2) is 2: its floor must be a bin in 1..1"},
      {m::ringcontrast::boxesShape, {Input{3, "boxes"}, 4, 1},
       "input 4 (boxes) must be an N x 4 real double matrix [xmin ymin xmax ymax], not 4 x 1"},
      {m::ringcontrast::badBox, {2, 2, 2, 5, 3, 4, 3},
       "box 2, [2 2 5 3], must be whole numbers with 1 <= xmin <= xmax <= 4 and "
       "1 <= ymin <= ymax <= 3"},
      {m::ringcontrast::surroundTooSmall, {Input{4, "surround"}, -201},
       "input 5 (surround) must be at least -200, not -201"},
      {m::ringcontrast::badMaxBytes, {maxBytes, NAN}, "input 6 (maxBytes) must be a number of bytes, not NaN"},
      {m::ringcontrast::tooLarge, {2048, maxBytes, 1000},
       "needs 2048 bytes of working memory, above input 6 (maxBytes) (1000)"},
      {m::ringcontrast::outOfMemory, {2048}, "could not get its working memory (2048 bytes)"},

      {m::greedyselect::inputCount, {}, "expects boxes, an overlap threshold and a count"},
      {m::greedyselect::outputCount, {}, "gives at most 1 output"},
      {m::greedyselect::notBoxes, {}, "input 1 (boxes) must be a real double N x 4 matrix, N below 2^31"},
  };
  std::set<std::pair<std::string, std::string>> covered;
  for (const auto& row : rows) {
    covered.emplace(row.message.plugin, row.message.fault);
    EXPECT_EQ(row.values.size(), hostif::slotsIn(row.message.text)) << row.message.fault;
    EXPECT_STREQ(hostif::formatMessage(row.message, row.values.data(), row.values.size()),
                 row.text);
  }
  for (const hostif::Message& message : kMessages)
    EXPECT_EQ(covered.count({message.plugin, message.fault}), 1u)
        << "no row for " << message.plugin << ":" << message.fault;
}

// A raising call with more or fewer values than its message has {} does not compile.
template <typename Message, typename Values, typename = void>
struct Raises : std::false_type {};
template <typename Message, typename Values>
struct Raises<Message, Values,
              std::void_t<decltype(std::declval<const hostif::Call&>().fail(
                  std::declval<const Message&>(), std::declval<const Values&>()))>>
    : std::true_type {};
using TwoValues = hostif::Arg[2];
static_assert(Raises<decltype(hostif::messages::any::negativeSize), TwoValues>::value);
static_assert(!Raises<decltype(hostif::messages::any::negative), hostif::Arg[1]>::value);
static_assert(!Raises<decltype(hostif::messages::any::tooFewElements), hostif::Arg[5]>::value);
static_assert(!Raises<decltype(hostif::messages::ringdiff::emptyWindow), TwoValues>::value);

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
    const auto error = expectFault([&] { testhost::call(0, array); }, "winscore:probe:notRealDouble");
    EXPECT_EQ(std::string(error.what()), prefix + c.expected);
  }
  auto dense = makeArray(ArrayClass::Double, {2, 2});
  EXPECT_NO_THROW(testhost::call(0, dense));
}

}  // namespace
}  // namespace winscore
