#include "compiler/source/message_kind.h"

#include <string>
#include <utility>

#include "compiler/common/format_string.h"
#include "compiler/source/source_file.h"

namespace zet {

const char* const kMessageKindNames[kMessageKindCount] = {"NOICON", "ASTERISK", "EXCLAMATION",
                                                          "STOP", "QUESTION"};

std::string FramesKey(int n) {
  return FormatString("%s%d", kFramesKeyStem, n);
}

namespace {

// FRAMES1, FRAMES2, ... up to the first missing or empty one, one line each,
// so that a line number of the program names its key.
std::string ReadFramesKeys(const SourceSection& section) {
  std::string joined;
  for (int n = 1;; ++n) {
    const std::string line = section.ReadString(FramesKey(n).c_str());
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
  bitmapPath = section.ReadString(kBitmapKey, bitmapPath.c_str());
  frameHeight = section.ReadInt(kFrameHeightKey, frameHeight);
  frameTime = section.ReadInt(kFrameTimeKey, frameTime);
  // A program is inherited whole or replaced whole, never merged.
  std::string frames = ReadFramesKeys(section);
  if (!frames.empty()) {
    framesProgram = std::move(frames);
  }
  if (framesProgram.empty()) {
    framesProgram = "0;";
  }
  suffix = section.ReadString(kSuffixKey, suffix.c_str());
  message = section.ReadString(kMessageKey, message.c_str());
}

}  // namespace zet
