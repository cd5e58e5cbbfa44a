#pragma once
// Whether a file name from the update manifest stays inside the install folder: not empty, not
// absolute, no drive or stream (":"), no ".." component, no control characters, and no
// component that names a device ("CON", "NUL", "COM1", ... with or without an extension).
// Both "\" and "/" separate components.
#include <string>

namespace qel {

bool IsSafeInstallName(const std::string& name);

}  // namespace qel
