// Reading the header's offset fields: where a block or a string starts.
#pragma once

#include <cstdint>
#include <string>

#include "reader/file_bytes.h"

namespace zetreader {

// The offset stored at `field`, which must lie after the header and no
// further than the end of the file (an empty block may start there).
// `what` names the block in fault texts.
uint32_t ReadBlockOffset(const FileBytes& bytes, uint32_t field, const char* what);

// The string whose offset is stored at `field`: empty when the offset is 0.
// Its units up to the terminating 0 must lie in the file.
std::u16string ReadStringAt(const FileBytes& bytes, uint32_t field, uint32_t& offset,
                            const char* what);

}  // namespace zetreader
