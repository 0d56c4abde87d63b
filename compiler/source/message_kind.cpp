#include "compiler/source/message_kind.h"

#include <string>
#include <utility>

#include "compiler/common/format_string.h"
#include "compiler/source/source_file.h"

namespace zet {

const char* const kMessageKindNames[kMessageKindCount] = {"NOICON", "ASTERISK", "EXCLAMATION",
                                                          "STOP", "QUESTION"};

namespace {

// FRAMES1, FRAMES2, ... up to the first missing or empty one, one line each,
// so that a line number of the program names its key.
std::string ReadFramesKeys(const SourceSection& section) {
  std::string joined;
  for (int n = 1;; ++n) {
    const std::string line = section.ReadString(FormatString("FRAMES%d", n).c_str());
    if (line.empty()) {
      return joined;
    }
    if (n > 1) {
      joined += "\r\n";
    }
    joined += line;
  }
}

}  // namespace

void MessageKindSettings::ReadSettings(const SourceSection& section) {
  bitmapPath = section.ReadString("BITMAP", bitmapPath.c_str());
  frameHeight = section.ReadInt("FRAMEHEIGHT", frameHeight);
  frameTime = section.ReadInt("FRAMETIME", frameTime);
  // A program is inherited whole or replaced whole, never merged.
  std::string frames = ReadFramesKeys(section);
  if (!frames.empty()) {
    framesProgram = std::move(frames);
  }
  if (framesProgram.empty()) {
    framesProgram = "0;";
  }
  suffix = section.ReadString("SUFFIX", suffix.c_str());
  message = section.ReadString("MESSAGE", message.c_str());
}

}  // namespace zet
