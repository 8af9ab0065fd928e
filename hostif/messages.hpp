// SPDX-License-Identifier: MIT
// Every error the plug-ins raise: the fault that completes the identifier
// "winscore:<plug-in>:<fault>", and the text, where each {} takes the next value
// the raising call names. Counts and input-1 texts are each plug-in's own
// defined messages: callers match on them, so they never change.
#ifndef WINSCORE_HOSTIF_MESSAGES_HPP
#define WINSCORE_HOSTIF_MESSAGES_HPP

#include <cstddef>

// X(plug-in, fault, text); the plug-in `any` marks the messages of the shared
// host operations, whose identifier names the plug-in that raises them.
#define WINSCORE_MESSAGES(X)                                                                     \
  X(any, notRealDouble, "{} must be a real double array, not {}{}")                              \
  X(any, tooFewElements, "{} must hold at least {} {}, not {}")                                  \
  X(any, notScalar, "{} must be a non-empty, non-sparse numeric array")                          \
  X(any, notInt32, "{} must be a number whose integer part fits a signed 32-bit integer")        \
  X(any, negative, "{} must not be negative, not {}")                                            \
  X(any, negativeSize, "output size {} x {} is negative")                                        \
  X(any, outputTooLarge, "output size {} x {} is more elements than the host can hold")          \
                                                                                                 \
  X(tallyplane, inputCount, "4 input argument required.")                                        \
  X(tallyplane, outputCount, "Too many output arguments.")                                       \
  X(tallyplane, notRealDoubleMatrix, "input 1 (quantMatrix) must be a real double matrix")       \
  X(tallyplane, binOutOfRange, "{} element {} is {}: its floor must be a bin in 1..{}")          \
                                                                                                 \
  X(ringdiff, inputCount, "10 input argument required.")                                         \
  X(ringdiff, outputCount, "Too many output arguments.")                                         \
  X(ringdiff, notRealDoubleMatrix, "input 1 (integralHistogram) must be a real double matrix")   \
  X(ringdiff, rowsNotBins, "{} must have {} rows, one per bin of {}, not {}")                    \
  X(ringdiff, histogramTooLarge,                                                                 \
    "inputs 2, 3 and 9 (numberRows, numberColumns, numberBins) give (R+1)*(C+1)*B = {} "         \
    "histogram elements, more than 32-bit offsets reach (2147483647)")                           \
  X(ringdiff, emptyWindow, "error xmax - xmin <=0 or ymax - ymin<=0")                            \
  X(ringdiff, windowOutside,                                                                     \
    "window {} (xmin {}, ymin {}, xmax {}, ymax {}) would be read outside {}: it must lie "      \
    "inside the image of {} rows and {} columns")                                                \
  X(ringdiff, surroundOutside,                                                                   \
    "window {} (xmin {}, ymin {}, xmax {}, ymax {}) would be read outside {}: its surround "     \
    "box, columns {}..{} and rows {}..{} for {} {}, leaves the image of {} rows and {} columns") \
                                                                                                 \
  X(gridsweep, inputCount, "7 input argument required.")                                         \
  X(gridsweep, outputCount, "Too many output arguments.")                                        \
  X(gridsweep, notRealDoubleMatrix, "input 1 (h) must be a real double matrix 64 x 64")          \
  X(gridsweep, gridSizeTooLarge,                                                                 \
    "{} must lie in -{}..{} so that gridSize*gridSize fits a signed 32-bit integer, not {}")     \
                                                                                                 \
  X(peakpick, inputCount, "4 input arguments required.")                                         \
  X(peakpick, outputCount, "5 output arguments required")                                        \
  X(peakpick, notRealDoubleMatrix, "input 1 (h) must be a real double matrix")                   \
  X(peakpick, notFinite, "{} must be a finite number, not {}")                                   \
  X(peakpick, neighbourhoodTooSmall, "{} must be at least 1, not {}")                            \
  X(peakpick, arrayTooLarge,                                                                     \
    "inputs 2 and 3 (sizeX, sizeY) describe an array of {} elements, more than signed 32-bit "   \
    "offsets can address")                                                                       \
  X(peakpick, outputTooLong,                                                                     \
    "inputs 2 to 4 (sizeX, sizeY, neighbourhoodSize) give an output length of {}, more than a "  \
    "signed 32-bit integer holds")                                                               \
  X(peakpick, tooManyMaxima,                                                                     \
    "found {} local maxima but the outputs hold only {}; this sizeX, sizeY and "                 \
    "neighbourhoodSize give too short an output")                                                \
                                                                                                 \
  X(drawweighted, inputCount,                                                                    \
    "3 input argument required: scoreVector, numberSamples, replacementOption ")                 \
  X(drawweighted, outputCount, "Too many output arguments.")                                     \
  X(drawweighted, notRealDoubleMatrix, "input 1 (X) must be a real double scoreVector")          \
  X(drawweighted, scoreVectorTooLong, "{} must not have more than 2147483647 rows or columns")   \
  X(drawweighted, tooManySamples,                                                                \
    "numberSamples <= length scoreVector (sampling without replacement)")                        \
  X(drawweighted, emptyScoreVector, "{} must not be empty when numberSamples is 1 or more")      \
                                                                                                 \
  X(greedypick, inputCount, "7 input argument required.")                                        \
  X(greedypick, outputCount, "Too many output arguments.")                                       \
                                                                                                 \
  X(ringcontrast, inputCount,                                                                    \
    "expects a form ('quantise', 'pixels', 'bins', 'bytes' or 'range') and its inputs")          \
  X(ringcontrast, formInputs, "the form '{}' takes {} inputs, not {}")                           \
  X(ringcontrast, outputCount, "gives at most 1 output")                                         \
  X(ringcontrast, formOutputs, "the form '{}' gives at most {} outputs")                         \
  X(ringcontrast, badForm, "{} must be 'quantise', 'pixels', 'bins', 'bytes' or 'range'")        \
  X(ringcontrast, notImage,                                                                      \
    "{} must be a real, non-sparse R x C or R x C x 3 numeric or logical array")                 \
  X(ringcontrast, notNumeric, "{} must be a real, non-sparse numeric or logical array")          \
  X(ringcontrast, notBinMatrix,                                                                  \
    "{} must be a real, non-sparse double R x C matrix of bin numbers")                          \
  X(ringcontrast, imageTooLarge,                                                                 \
    "{} has {} pixels; windows are scored on images of at most 2147483647")                      \
  X(ringcontrast, binsTooSmall, "{} must be at least 1, not {}")                                 \
  X(ringcontrast, notCube, "{} is {}: RGB pixels need a whole cube of bins (8, 27, 64, ...)")    \
  X(ringcontrast, badBin, "{} element ({}, {}) is {}: its floor must be a bin in 1..{}")         \
  X(ringcontrast, boxesShape,                                                                    \
    "{} must be an N x 4 real double matrix [xmin ymin xmax ymax], not {} x {}")                 \
  X(ringcontrast, badBox,                                                                        \
    "box {}, [{} {} {} {}], must be whole numbers with 1 <= xmin <= xmax <= {} and "             \
    "1 <= ymin <= ymax <= {}")                                                                   \
  X(ringcontrast, surroundTooSmall, "{} must be at least -200, not {}")                          \
  X(ringcontrast, badMaxBytes, "{} must be a number of bytes, not {}")                           \
  X(ringcontrast, tooLarge, "needs {} bytes of working memory, above {} ({})")                   \
  X(ringcontrast, outOfMemory, "could not get its working memory ({} bytes)")                   \
                                                                                                 \
  X(greedyselect, inputCount, "expects boxes, an overlap threshold and a count")                 \
  X(greedyselect, outputCount, "gives at most 1 output")                                         \
  X(greedyselect, notBoxes, "input 1 (boxes) must be a real double N x 4 matrix, N below 2^31")

namespace winscore::hostif {

struct Message {
  const char* plugin;  // "any" for the shared host operations
  const char* fault;
  const char* text;
};

// The number of {} in a text.
constexpr std::size_t slotsIn(const char* text) {
  std::size_t slots = 0;
  for (; *text != '\0'; ++text)
    if (text[0] == '{' && text[1] == '}') ++slots, ++text;
  return slots;
}

// A message of the table with its slot count in its type, so that a call
// raising it with more or fewer values than it has {} does not compile.
template <std::size_t Slots>
struct MessageWith : Message {};

// messages::<plug-in>::<fault>, e.g. messages::ringdiff::emptyWindow. Constants
// of each translation unit, not inline variables: a plug-in with unique global
// objects could not be unloaded by the host, and `clear` would keep its state.
namespace messages {
#define WINSCORE_MESSAGE_CONSTANT(plugin, fault, text)                 \
  namespace plugin {                                                   \
  constexpr MessageWith<slotsIn(text)> fault{{#plugin, #fault, text}}; \
  }
WINSCORE_MESSAGES(WINSCORE_MESSAGE_CONSTANT)
#undef WINSCORE_MESSAGE_CONSTANT
}  // namespace messages

// The whole table, in the order above.
#define WINSCORE_MESSAGE_ROW(plugin, fault, text) messages::plugin::fault,
constexpr Message kMessages[] = {WINSCORE_MESSAGES(WINSCORE_MESSAGE_ROW)};
#undef WINSCORE_MESSAGE_ROW

}  // namespace winscore::hostif

#endif
