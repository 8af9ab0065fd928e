// SPDX-License-Identifier: MIT
// The toolbox API's contrast of windows straight from a quantised image.
#include "ringcontrast_kernel.hpp"

namespace winscore::ringcontrast {

std::int32_t interfaceRevision() { return 0; }

}  // namespace winscore::ringcontrast
