// zetplay's command line.
#pragma once

#include <string>

#include "platform/console.h"
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

using zet::UsageError;  // thrown by ParseOptions

Options ParseOptions(int argc, const char* const* argv);
extern const char kUsage[];

// `path` with the kind's name before its extension: out.png -> out.NOICON.png.
std::string PathForKind(const std::string& path, int kind);

}  // namespace zetplay
