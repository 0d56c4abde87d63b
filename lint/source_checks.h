// What the lines of a source say about themselves under the profile rules:
// keys and sections nobody reads, FRAMESn after a gap, repeats, empty values,
// lines before the first section.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lint/diagnostic.h"
#include "lint/source_view.h"

namespace zetlint {

void CheckSourceLines(const SourceView& view, std::vector<Diagnostic>& out);

// A name from the source fit to stand in a message: control bytes become
// "?", and a long name is cut on a character boundary.
std::string Shown(std::string_view name);

}  // namespace zetlint
