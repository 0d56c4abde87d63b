// A file written whole or not at all: into a new file beside it, put in its
// place once complete, so that no reader ever sees it half written and a
// failure leaves an earlier file of the name as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zet {

// 0, or the Windows code of what failed (the Linux build maps errno).
uint32_t WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace zet
