#pragma once
// A file's version numbers from the fixed file information of its version resource (the file
// version words; the product version and the string tables are not used). Paths are UTF-8.
// Nothing here throws: a file without readable version numbers has the empty version text.
#include <cstdint>
#include <string>

namespace qel::update {

// True, with major/minor from dwFileVersionMS and release/build from dwFileVersionLS (high word
// first); false when the file is missing or has no readable version resource.
bool GetFileVersionNumbers(const std::string& path, std::uint16_t& major, std::uint16_t& minor,
                           std::uint16_t& release, std::uint16_t& build);

// True when the file's version text (empty without version numbers) equals the given text
// exactly: same bytes, no trimming, no reading as numbers.
bool FileVersionEquals(const std::string& path, const std::string& versionText);

}  // namespace qel::update
