#include "compiler/output/output_file.h"

namespace zet {

// Replacing a device or a folder with a file would destroy what it is.
const char kNotRegularFile[] = "OUTPUT がファイルではないため、置き換えられません。\r\n";

}  // namespace zet
