// The player's files are written whole or not at all: into a new file
// beside the target, renamed over it once complete, so that a failure never
// leaves half a picture (an earlier file of the name stays as it was).
#pragma once

#include <string>

namespace zetplay {

// Throws zetreader::FileError.
void WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace zetplay
