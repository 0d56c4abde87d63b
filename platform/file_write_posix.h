// Linux: writing files. A whole buffer to a descriptor, going on where
// write() stopped short or was interrupted; the folder a new file of a path
// goes into.
#pragma once

#include <string>
#include <string_view>

namespace zet {

// False when a write fails (errno tells why) or makes no progress (errno 0:
// nothing more fits).
bool WriteAll(int fd, std::string_view bytes);

// "." for a bare name, "/" for a file in the root.
std::string FolderOf(const std::string& path);

}  // namespace zet
