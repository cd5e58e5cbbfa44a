#include "update/VersionText.h"

namespace qel::update {

std::string VersionText(std::uint16_t major, std::uint16_t minor, std::uint16_t release, std::uint16_t build) {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(release) + "." +
           std::to_string(build);
}

}  // namespace qel::update
