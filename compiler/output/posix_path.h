// Paths written for Windows, opened on Linux.
#pragma once

#include <string>

namespace zet {

// The path with every "\" that separates path parts turned into "/". Walks
// characters, so the trail byte 0x5C of a double-byte character stays.
std::string ToPosixPath(const char* path);

}  // namespace zet
