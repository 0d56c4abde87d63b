// zetplay's command line.
#pragma once

#include <string>

#include "player/kind_player.h"

namespace zetplay {

struct Options {
  std::string file;
  Settings settings;
  int kind = -1;  // -1: every kind
  bool trace = false;
  bool help = false;
  bool version = false;
  std::string apng, gif, sheet, html;  // empty: not wanted
};

// Wrong use of the command line: what was wrong, in Shift-JIS.
struct UsageError {
  std::string text;
};

Options ParseOptions(int argc, const char* const* argv);
extern const char kUsage[];

// `path` with the kind's name before its extension: out.png -> out.NOICON.png.
std::string PathForKind(const std::string& path, int kind);

}  // namespace zetplay
