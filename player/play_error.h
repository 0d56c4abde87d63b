// A request the player cannot carry out for this file (a sheet too large,
// an output it cannot write): a Shift-JIS sentence for the user.
#pragma once

#include <string>

namespace zetplay {

struct PlayError {
  std::string text;
};

}  // namespace zetplay
