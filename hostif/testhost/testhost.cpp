// SPDX-License-Identifier: MIT
// The test host's arrays and its implementation of the mx/mex calls the plug-ins use.
#include "testhost.hpp"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <type_traits>

struct mxArray_tag {
  winscore::testhost::ArrayClass arrayClass;
  std::vector<std::size_t> dims;
  bool complex;
  bool sparse;
  std::vector<double> real;
  std::vector<double> imag;
  std::vector<unsigned char> typed;  // `real` in the array's own class, for mxGetData
};

namespace winscore::testhost {
namespace {

std::set<mxArray*> g_created;  // created during the current call
std::size_t g_cap = 0;
std::size_t g_bytesThisCall = 0;
std::size_t g_live = 0;

std::size_t elementsOf(const std::vector<std::size_t>& dims) {
  std::size_t n = 1;
  for (std::size_t d : dims) n *= d;
  return n;
}

mxArray* newArray(ArrayClass arrayClass, std::vector<std::size_t> dims, bool complex, bool sparse,
                  std::vector<double> values) {
  while (dims.size() < 2) dims.push_back(1);
  while (dims.size() > 2 && dims.back() == 1) dims.pop_back();
  const std::size_t n = elementsOf(dims);
  values.resize(n, 0.0);
  auto* a = new mxArray_tag{arrayClass, std::move(dims), complex, sparse, std::move(values), {}, {}};
  if (complex) a->imag.assign(n, 0.0);
  ++g_live;
  return a;
}

}  // namespace

void ArrayDeleter::operator()(mxArray* array) const {
  if (array) --g_live;
  delete array;
}

Array matrix(std::size_t rows, std::size_t cols, std::initializer_list<double> values) {
  return matrix(rows, cols, std::vector<double>(values));
}
Array matrix(std::size_t rows, std::size_t cols, const std::vector<double>& values) {
  return Array(newArray(ArrayClass::Double, {rows, cols}, false, false, values));
}
Array row(const std::vector<double>& values) { return matrix(1, values.size(), values); }
Array scalar(double value) { return matrix(1, 1, {value}); }
Array makeArray(ArrayClass arrayClass, std::vector<std::size_t> dims, bool complex, bool sparse,
                std::vector<double> values) {
  return Array(newArray(arrayClass, std::move(dims), complex, sparse, std::move(values)));
}

std::vector<std::size_t> dimsOf(const mxArray* array) { return array->dims; }
std::vector<double> valuesOf(const mxArray* array) { return array->real; }
Array text(const char* text) {
  std::vector<double> codes;
  for (const char* at = text; *at != '\0'; ++at) codes.push_back(static_cast<unsigned char>(*at));
  return makeArray(ArrayClass::Char, {1, codes.size()}, false, false, codes);
}

void setAllocationCap(std::size_t bytes) { g_cap = bytes; }
std::size_t liveArrays() { return g_live; }

CallResult call(int nlhs, const std::vector<const mxArray*>& inputs) {
  std::vector<mxArray*> slots(static_cast<std::size_t>(std::max(nlhs, 1)), nullptr);
  g_created.clear();
  g_bytesThisCall = 0;
  auto dropCreated = [] {
    for (mxArray* a : g_created) ArrayDeleter()(a);
    g_created.clear();
  };
  try {
    mexFunction(nlhs, slots.data(), static_cast<int>(inputs.size()),
                const_cast<const mxArray**>(inputs.data()));
  } catch (...) {
    dropCreated();
    throw;
  }
  CallResult result;
  for (mxArray* a : slots) {
    if (a != nullptr && g_created.erase(a) == 0)
      throw HostMisuse("output slot holds an array the call did not create");
    result.outputs.emplace_back(a);
  }
  dropCreated();
  return result;
}

}  // namespace winscore::testhost

namespace {

using winscore::testhost::HostMisuse;
// A value in class T as the host converts it: integers round and saturate,
// NaN becomes 0; single overflows to an infinity.
template <typename T>
T convertTo(double value) {
  if constexpr (std::is_same_v<T, bool>) {
    return value != 0.0;
  } else if constexpr (std::is_floating_point_v<T>) {
    constexpr double largest = std::numeric_limits<T>::max();
    if (value > largest) return std::numeric_limits<T>::infinity();
    if (value < -largest) return -std::numeric_limits<T>::infinity();
    return static_cast<T>(value);
  } else {
    if (std::isnan(value)) return 0;
    const double rounded = std::round(value);
    if (rounded <= static_cast<double>(std::numeric_limits<T>::min()))
      return std::numeric_limits<T>::min();
    if (rounded >= static_cast<double>(std::numeric_limits<T>::max()))
      return std::numeric_limits<T>::max();
    return static_cast<T>(rounded);
  }
}

template <typename T>
void storeAs(std::vector<unsigned char>& bytes, const std::vector<double>& values) {
  bytes.resize(values.size() * sizeof(T));
  for (std::size_t k = 0; k < values.size(); ++k) {
    const T v = convertTo<T>(values[k]);
    std::memcpy(bytes.data() + k * sizeof(T), &v, sizeof(T));
  }
}
}  // namespace

using winscore::testhost::ArrayClass;
using winscore::testhost::HostError;
using winscore::testhost::HostMisuse;

extern "C" {

void mexErrMsgTxt(const char* message) { throw HostError(message, ""); }

void mexErrMsgIdAndTxt(const char* identifier, const char* format, ...) {
  char text[4096];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  throw HostError(text, identifier);
}

bool mxIsDouble(const mxArray* a) { return a->arrayClass == ArrayClass::Double; }
bool mxIsComplex(const mxArray* a) { return a->complex; }
bool mxIsSparse(const mxArray* a) { return a->sparse; }
bool mxIsNumeric(const mxArray* a) {
  switch (a->arrayClass) {
    case ArrayClass::Logical: case ArrayClass::Char: case ArrayClass::Cell:
    case ArrayClass::Struct: case ArrayClass::FunctionHandle:
      return false;
    default:
      return true;
  }
}
bool mxIsLogical(const mxArray* a) { return a->arrayClass == ArrayClass::Logical; }
bool mxIsChar(const mxArray* a) { return a->arrayClass == ArrayClass::Char; }
const char* mxGetClassName(const mxArray* a) {
  switch (a->arrayClass) {
    case ArrayClass::Double: return "double";
    case ArrayClass::Single: return "single";
    case ArrayClass::Int32: return "int32";
    case ArrayClass::Uint8: return "uint8";
    case ArrayClass::Logical: return "logical";
    case ArrayClass::Char: return "char";
    case ArrayClass::Cell: return "cell";
    case ArrayClass::Struct: return "struct";
    case ArrayClass::FunctionHandle: return "function_handle";
    case ArrayClass::Int8: return "int8";
    case ArrayClass::Int16: return "int16";
    case ArrayClass::Uint16: return "uint16";
    case ArrayClass::Uint32: return "uint32";
    case ArrayClass::Int64: return "int64";
    case ArrayClass::Uint64: return "uint64";
  }
  return "unknown";
}
mxClassID mxGetClassID(const mxArray* a) {
  switch (a->arrayClass) {
    case ArrayClass::Double: return mxDOUBLE_CLASS;
    case ArrayClass::Single: return mxSINGLE_CLASS;
    case ArrayClass::Int32: return mxINT32_CLASS;
    case ArrayClass::Uint8: return mxUINT8_CLASS;
    case ArrayClass::Logical: return mxLOGICAL_CLASS;
    case ArrayClass::Char: return mxCHAR_CLASS;
    case ArrayClass::Cell: return mxCELL_CLASS;
    case ArrayClass::Struct: return mxSTRUCT_CLASS;
    case ArrayClass::FunctionHandle: return mxFUNCTION_CLASS;
    case ArrayClass::Int8: return mxINT8_CLASS;
    case ArrayClass::Int16: return mxINT16_CLASS;
    case ArrayClass::Uint16: return mxUINT16_CLASS;
    case ArrayClass::Uint32: return mxUINT32_CLASS;
    case ArrayClass::Int64: return mxINT64_CLASS;
    case ArrayClass::Uint64: return mxUINT64_CLASS;
  }
  return mxUNKNOWN_CLASS;
}
const mwSize* mxGetDimensions(const mxArray* a) { return a->dims.data(); }
mwSize mxGetNumberOfDimensions(const mxArray* a) { return a->dims.size(); }
std::size_t mxGetM(const mxArray* a) { return a->dims[0]; }
std::size_t mxGetN(const mxArray* a) {
  std::size_t n = 1;
  for (std::size_t k = 1; k < a->dims.size(); ++k) n *= a->dims[k];
  return n;
}
std::size_t mxGetNumberOfElements(const mxArray* a) {
  std::size_t n = 1;
  for (std::size_t d : a->dims) n *= d;
  return n;
}

double* mxGetPr(const mxArray* a) {
  if (a->arrayClass != ArrayClass::Double || a->sparse)
    throw HostMisuse("mxGetPr on an array that holds no dense doubles");
  return a->real.empty() ? nullptr : const_cast<double*>(a->real.data());
}

void* mxGetData(const mxArray* a) {
  if (a->sparse || a->complex) throw HostMisuse("mxGetData on a sparse or complex array");
  auto* array = const_cast<mxArray*>(a);
  if (a->arrayClass == ArrayClass::Double) return array->real.empty() ? nullptr : array->real.data();
  switch (a->arrayClass) {
    case ArrayClass::Single: storeAs<float>(array->typed, a->real); break;
    case ArrayClass::Logical: storeAs<bool>(array->typed, a->real); break;
    case ArrayClass::Int8: storeAs<std::int8_t>(array->typed, a->real); break;
    case ArrayClass::Uint8: storeAs<std::uint8_t>(array->typed, a->real); break;
    case ArrayClass::Int16: storeAs<std::int16_t>(array->typed, a->real); break;
    case ArrayClass::Uint16: storeAs<std::uint16_t>(array->typed, a->real); break;
    case ArrayClass::Int32: storeAs<std::int32_t>(array->typed, a->real); break;
    case ArrayClass::Uint32: storeAs<std::uint32_t>(array->typed, a->real); break;
    case ArrayClass::Int64: storeAs<std::int64_t>(array->typed, a->real); break;
    case ArrayClass::Uint64: storeAs<std::uint64_t>(array->typed, a->real); break;
    default: throw HostMisuse("mxGetData on an array that holds no numbers");
  }
  return array->typed.empty() ? nullptr : array->typed.data();
}

int mxGetString(const mxArray* a, char* buffer, mwSize length) {
  if (length == 0) return 1;
  buffer[0] = '\0';
  if (a->arrayClass != ArrayClass::Char) return 1;
  const std::size_t n = std::min<std::size_t>(a->real.size(), length - 1);
  for (std::size_t k = 0; k < n; ++k) buffer[k] = static_cast<char>(convertTo<std::uint8_t>(a->real[k]));
  buffer[n] = '\0';
  return a->real.size() < length ? 0 : 1;
}

double mxGetScalar(const mxArray* a) {
  const bool readable = mxIsNumeric(a) || mxIsLogical(a) || mxIsChar(a);
  if (!readable || a->sparse || a->real.empty())
    throw HostMisuse("mxGetScalar on an array with no first element to read");
  return a->real[0];
}

mxArray* mxCreateDoubleMatrix(mwSize m, mwSize n, mxComplexity flag) {
  const std::size_t limit = std::numeric_limits<std::size_t>::max() / sizeof(double);
  if (m != 0 && n > limit / m) throw HostMisuse("mxCreateDoubleMatrix size overflows");
  const std::size_t bytes = m * n * sizeof(double);
  using winscore::testhost::g_bytesThisCall;
  using winscore::testhost::g_cap;
  if (g_cap != 0 && bytes > g_cap - std::min(g_cap, g_bytesThisCall))
    throw winscore::testhost::AllocationCapExceeded("create call beyond the allocation cap");
  g_bytesThisCall += bytes;
  mxArray* a = winscore::testhost::newArray(ArrayClass::Double, {m, n}, flag == mxCOMPLEX, false, {});
  winscore::testhost::g_created.insert(a);
  return a;
}

}  // extern "C"
