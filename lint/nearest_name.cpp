#include "lint/nearest_name.h"

#include <algorithm>

namespace zetlint {
namespace {

char Folded(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Beyond this a name is no slip, and the table stays small.
constexpr size_t kLongestCompared = 64;

}  // namespace

// The optimal string alignment distance, three rows at a time.
size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) {
    previous[j] = j;
  }
  for (size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const bool same = Folded(a[i - 1]) == Folded(b[j - 1]);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + !same});
      if (i > 1 && j > 1 && Folded(a[i - 1]) == Folded(b[j - 2]) &&
          Folded(a[i - 2]) == Folded(b[j - 1])) {
        current[j] = std::min(current[j], before[j - 2] + 1);
      }
    }
    std::swap(before, previous);
    std::swap(previous, current);
  }
  return previous[b.size()];
}

std::string NearestName(std::string_view name, const std::vector<std::string>& known) {
  if (name.size() > kLongestCompared) {
    return "";
  }
  std::string nearest;
  size_t best = SIZE_MAX;
  for (const std::string& candidate : known) {
    // The lengths' difference is a floor of the distance: most candidates
    // end there, without the table.
    const size_t reach = std::max<size_t>(1, candidate.size() / 3);
    const size_t floor = name.size() > candidate.size() ? name.size() - candidate.size()
                                                        : candidate.size() - name.size();
    if (floor >= best || floor > reach) {
      continue;
    }
    const size_t distance = EditDistance(name, candidate);
    if (distance < best && distance <= reach) {
      best = distance;
      nearest = candidate;
    }
  }
  return nearest;
}

}  // namespace zetlint
