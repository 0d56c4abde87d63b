// The known name nearest to a misspelt one, for the hint of an unknown key
// or section.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zetlint {

// Edits (insert, delete, replace, swap two neighbours) between the names,
// ASCII letters compared without regard to case.
size_t EditDistance(std::string_view a, std::string_view b);

// The nearest of `known` when it is near enough to be a slip (a third of
// its length, at least one edit), else "".
std::string NearestName(std::string_view name, const std::vector<std::string>& known);

}  // namespace zetlint
