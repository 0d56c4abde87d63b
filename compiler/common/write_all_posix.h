// Linux: writing a whole buffer to a descriptor, going on where write()
// stopped short or was interrupted.
#pragma once

#include <string_view>

namespace zet {

// False when a write fails (errno tells why) or makes no progress (errno 0:
// nothing more fits).
bool WriteAll(int fd, std::string_view bytes);

}  // namespace zet
