// The files zetdump writes; they fail with the reader's FileError.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "reader/file_bytes.h"

namespace zetdump {

// A file's name inside its folder and its bytes.
using NamedFile = std::pair<std::string, std::string>;

// Writes every file into `folder`, made if missing, each created anew: a name
// that is taken in any way (a file, a link, even a dangling one, a FIFO) is
// refused before anything is written. When a write fails, what was written
// and the folder, if it was made here, are removed again. Throws FileError.
void WriteNewFiles(const std::vector<NamedFile>& files, const std::string& folder);

// `name` inside `folder`.
std::string PathIn(const std::string& folder, const std::string& name);

// The system's half.
bool NameTaken(const std::string& path);
// Creates the file exclusively, following no link; false when the name is taken.
bool CreateNewFile(const std::string& path, const std::string& bytes, bool& written);
// Whether it made the folder; false when it existed already. Throws FileError.
bool MakeFolder(const std::string& path);
void RemoveFile(const std::string& path);
void RemoveFolder(const std::string& path);

}  // namespace zetdump
