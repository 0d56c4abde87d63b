// The files zetdump writes; they fail with the reader's FileError.
#pragma once

#include <string>

#include "reader/file_bytes.h"

namespace zetdump {

// Whether something of that name can be opened.
bool FileExists(const std::string& path);
// Creates or replaces the file; throws FileError.
void WriteWholeFile(const std::string& path, const std::string& bytes);
// Creates the folder unless it exists; throws FileError.
void MakeFolder(const std::string& path);
// `name` inside `folder`.
std::string PathIn(const std::string& folder, const std::string& name);

}  // namespace zetdump
