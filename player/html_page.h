// One self-contained page with the five kinds as message boxes side by side:
// each box's animation (APNG inline as a data: URI), message and suffix,
// the captions of the buttons, and above them the comment and user name.
// Texts in UTF-8, escaped for HTML. When the page has loaded, a script sets
// the body's data-result to "boxes=N images=LOADED/ALL", for tests.
#pragma once

#include <string>

#include "player/kind_player.h"
#include "reader/compiled_file.h"

namespace zetplay {

// `plays` and `apngs` in kind order.
std::string HtmlPage(const zetreader::CompiledFile& file,
                     const PlayedKind (&plays)[zetreader::kKindCount],
                     const std::string (&apngs)[zetreader::kKindCount]);

}  // namespace zetplay
