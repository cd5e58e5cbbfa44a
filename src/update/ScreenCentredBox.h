#pragma once
// A modal message box (OK only, error icon) centred on the whole screen rather than on the work
// area. Modal for the calling thread's windows; returns when the user presses OK. Does not throw.
#include <string>

namespace qel::update {

void ShowScreenCentredErrorBox(const std::string& utf8Caption, const std::string& utf8Text);

}  // namespace qel::update
