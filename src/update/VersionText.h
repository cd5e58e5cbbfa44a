#pragma once
// The version text of a file: its four version numbers (major, minor, release, build) as unsigned
// decimals without leading zeros, joined by ".", e.g. 1.0.12.305. Nothing here throws.
#include <cstdint>
#include <string>

namespace qel::update {

std::string VersionText(std::uint16_t major, std::uint16_t minor, std::uint16_t release, std::uint16_t build);

}  // namespace qel::update
