// SPDX-License-Identifier: MIT
// The toolbox API's contrast of windows straight from a quantised image.
#ifndef WINSCORE_RINGCONTRAST_KERNEL_HPP
#define WINSCORE_RINGCONTRAST_KERNEL_HPP

#include <cstdint>

namespace winscore::ringcontrast {

// The revision of the gateway's interface.
std::int32_t interfaceRevision();

}  // namespace winscore::ringcontrast

#endif
