// Whole-file reads and writes for zetdump's own files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zet {

// A failure with a file: the path as given (the console's encoding) and the
// Shift-JIS text of what went wrong, kept apart so each is shown as it is.
struct FileError {
  std::string path;
  std::string text;
};

// The whole file; throws FileError, also for files of more than 4 GB.
std::vector<uint8_t> ReadWholeFile(const std::string& path);
// Whether something of that name can be opened.
bool FileExists(const std::string& path);
// Creates or replaces the file; throws FileError.
void WriteWholeFile(const std::string& path, const std::string& bytes);
// Creates the folder unless it exists; throws FileError.
void MakeFolder(const std::string& path);
// `name` inside `folder`.
std::string PathIn(const std::string& folder, const std::string& name);

}  // namespace zet
