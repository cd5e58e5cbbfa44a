#pragma once
// The text of the application's standard error box: the error's message with a full stop added,
// unless the message is empty, ends in ".", or ends in a single-byte character that sorts before "."
// (a blank, "!", ",", "-", a line break...). A message ending in any character beyond ASCII
// (a Chinese character or full stop) always gets the full stop.
#include <string>

namespace qel::ui {

std::string WithFullStop(const std::string& utf8Message);

}  // namespace qel::ui
