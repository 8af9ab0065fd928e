// SPDX-License-Identifier: MIT
// winscore.internal.ringcontrast, the toolbox API's contrast kernel:
//   q      = ringcontrast('quantise', image, bins)
//   scores = ringcontrast('pixels', image, bins, boxes, surround, maxBytes)
//   scores = ringcontrast('bins', q, bins, boxes, surround, maxBytes)
//   bytes  = ringcontrast('bytes', rows, columns, bins, windows)
// 'pixels' quantises the image as 'quantise' does in the same pass; 'bins'
// takes bin numbers as tallyplane does. Both score the N x 4 boxes as
// ringdiff(tallyplane(q, R, C, bins), R, C, ..., surround, bins, N) does, and
// refuse to hold more than maxBytes of working memory; 'bytes' gives that
// working memory.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "host.hpp"
#include "mex.h"
#include "ringcontrast_kernel.hpp"

namespace {

namespace hostif = winscore::hostif;
namespace msg = hostif::messages::ringcontrast;
namespace kernel = winscore::ringcontrast;

constexpr hostif::Plugin kPlugin{"ringcontrast"};
constexpr hostif::Input kForm{0, "form"};
constexpr hostif::Input kImage{1, "image"};
constexpr hostif::Input kBins{2, "bins"};
constexpr hostif::Input kBoxes{3, "boxes"};
constexpr hostif::Input kSurround{4, "surround"};
constexpr hostif::Input kMaxBytes{5, "maxBytes"};
constexpr hostif::Input kSizes[4] = {{1, "rows"}, {2, "columns"}, {3, "bins"}, {4, "windows"}};

enum class Form { quantise, pixels, bins, bytes };

struct FormName {
  const char* name;
  Form form;
  int inputs;
};
constexpr FormName kForms[] = {{"quantise", Form::quantise, 3},
                               {"pixels", Form::pixels, 6},
                               {"bins", Form::bins, 6},
                               {"bytes", Form::bytes, 5}};

const FormName& readForm(const hostif::Call& call, int nrhs) {
  if (nrhs < 1) call.fail(msg::inputCount);
  char text[16];
  const mxArray* form = call[kForm];
  if (mxIsChar(form) && mxGetString(form, text, sizeof text) == 0)
    for (const FormName& known : kForms)
      if (std::strcmp(text, known.name) == 0) {
        if (nrhs != known.inputs) call.fail(msg::formInputs, {known.name, known.inputs, nrhs});
        return known;
      }
  call.fail(msg::badForm, {kForm});
}

// The source of the image's elements, from its class.
bool sourceOf(mxClassID id, kernel::Source* source) {
  using kernel::Source;
  switch (id) {
    case mxDOUBLE_CLASS: *source = Source::float64; return true;
    case mxSINGLE_CLASS: *source = Source::float32; return true;
    case mxLOGICAL_CLASS: *source = Source::logical; return true;
    case mxUINT8_CLASS: *source = Source::uint8; return true;
    case mxINT8_CLASS: *source = Source::int8; return true;
    case mxUINT16_CLASS: *source = Source::uint16; return true;
    case mxINT16_CLASS: *source = Source::int16; return true;
    case mxUINT32_CLASS: *source = Source::uint32; return true;
    case mxINT32_CLASS: *source = Source::int32; return true;
    case mxUINT64_CLASS: *source = Source::uint64; return true;
    case mxINT64_CLASS: *source = Source::int64; return true;
    default: return false;
  }
}

// A grey or RGB image of pixels, or (for the 'bins' form) a double matrix of bins.
kernel::Image readImage(const hostif::Call& call, Form form) {
  const mxArray* array = call[kImage];
  kernel::Image image{nullptr, kernel::Source::bins, 0, 0, 1};
  const bool dense = !mxIsComplex(array) && !mxIsSparse(array);
  const mwSize dims = mxGetNumberOfDimensions(array);
  if (form == Form::bins) {
    if (!(dense && mxIsDouble(array) && dims == 2)) call.fail(msg::notBinMatrix, {kImage});
  } else {
    const bool rgb = dims == 3 && mxGetDimensions(array)[2] == 3;
    if (!(dense && sourceOf(mxGetClassID(array), &image.source) && (dims == 2 || rgb)))
      call.fail(msg::notImage, {kImage});
    image.channels = rgb ? 3 : 1;
  }
  image.rows = static_cast<std::int64_t>(mxGetDimensions(array)[0]);
  image.columns = static_cast<std::int64_t>(mxGetDimensions(array)[1]);
  image.data = mxGetNumberOfElements(array) > 0 ? mxGetData(array) : nullptr;
  return image;
}

std::int32_t readBins(const hostif::Call& call, hostif::Input input) {
  const std::int32_t bins = call.readInt32(input);
  if (bins < 1) call.fail(msg::binsTooSmall, {input, bins});
  return bins;
}

[[noreturn]] void failKernel(const hostif::Call& call, const kernel::Report& report,
                             const kernel::Image& image, std::int32_t bins, double bytes) {
  if (report.fault == kernel::Fault::notCube) call.fail(msg::notCube, {kBins, bins});
  if (report.fault == kernel::Fault::badBin)
    call.fail(msg::badBin, {kImage, report.element % image.rows + 1,
                            report.element / image.rows + 1, report.value, bins});
  call.fail(msg::outOfMemory, {bytes});
}

void quantise(const hostif::Call& call, mxArray* plhs[]) {
  const kernel::Image image = readImage(call, Form::quantise);
  const std::int32_t bins = readBins(call, kBins);
  plhs[0] = call.createZeroMatrix(static_cast<double>(image.rows),
                                  static_cast<double>(image.columns));
  const kernel::Report report = kernel::quantise(hostif::dataOf(plhs[0]), image, bins);
  if (report.fault != kernel::Fault::none) failKernel(call, report, image, bins, 0.0);
}

void score(const hostif::Call& call, mxArray* plhs[], Form form) {
  const kernel::Image image = readImage(call, form);
  const std::int32_t bins = readBins(call, kBins);
  const double pixels = static_cast<double>(image.rows) * static_cast<double>(image.columns);
  if (pixels > 2147483647.0) call.fail(msg::imageTooLarge, {kImage, pixels});

  // Boxes: N x 4 (or empty), whole numbers inside the image.
  const mxArray* boxArray = call[kBoxes];
  const double* boxes = call.readData(kBoxes);
  const double boxRows = static_cast<double>(mxGetM(boxArray));
  const double boxColumns = static_cast<double>(mxGetN(boxArray));
  const bool empty = mxGetNumberOfElements(boxArray) == 0;
  if (!empty && !(boxColumns == 4 && mxGetNumberOfDimensions(boxArray) == 2))
    call.fail(msg::boxesShape, {kBoxes, boxRows, boxColumns});
  const std::int64_t windows = empty ? 0 : static_cast<std::int64_t>(mxGetM(boxArray));
  const std::int64_t bad = kernel::firstBadBox(boxes, windows, image.rows, image.columns);
  if (bad < windows)
    call.fail(msg::badBox, {bad + 1, boxes[bad], boxes[bad + windows], boxes[bad + 2 * windows],
                            boxes[bad + 3 * windows], image.columns, image.rows});

  const std::int32_t surround = call.readInt32(kSurround);
  if (surround < -200) call.fail(msg::surroundTooSmall, {kSurround, surround});
  const double maxBytes = call.readScalar(kMaxBytes);
  if (!(maxBytes >= 0.0)) call.fail(msg::badMaxBytes, {kMaxBytes, maxBytes});
  const double bytes = kernel::workingBytes(image.rows, image.columns, bins, windows);
  if (bytes > maxBytes) call.fail(msg::tooLarge, {bytes, kMaxBytes, maxBytes});

  plhs[0] = call.createZeroMatrix(static_cast<double>(windows), 1);
  const kernel::Report report =
      kernel::scoreWindows(hostif::dataOf(plhs[0]), image, bins, boxes, windows, surround);
  if (report.fault != kernel::Fault::none) failKernel(call, report, image, bins, bytes);
}

void bytes(const hostif::Call& call, mxArray* plhs[]) {
  std::int32_t sizes[4];
  for (int k = 0; k < 4; ++k) {
    sizes[k] = call.readInt32(kSizes[k]);
    call.requireNonNegative(sizes[k], kSizes[k]);
  }
  plhs[0] = call.createZeroMatrix(1, 1);
  hostif::dataOf(plhs[0])[0] = kernel::workingBytes(sizes[0], sizes[1], sizes[2], sizes[3]);
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const hostif::Call call{kPlugin, prhs};
  const FormName& form = readForm(call, nrhs);
  if (nlhs > 1) call.fail(msg::outputCount);
  switch (form.form) {
    case Form::quantise: quantise(call, plhs); break;
    case Form::pixels:
    case Form::bins: score(call, plhs, form.form); break;
    case Form::bytes: bytes(call, plhs); break;
  }
}
