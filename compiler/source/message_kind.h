// The five kinds of message box and the settings a source gives each.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/frames/code_buffer.h"

namespace zet {

class SourceSection;

// Also the order of compilation and of the kind records in the compiled file.
enum class MessageKind : int32_t { NoIcon, Asterisk, Exclamation, Stop, Question };
constexpr int kMessageKindCount = 5;
// The section names: "NOICON", "ASTERISK", "EXCLAMATION", "STOP", "QUESTION".
extern const char* const kMessageKindNames[kMessageKindCount];

// The keys of the six settings, in a kind's section and in [basis] (their
// defaults); the frames program is FRAMES1, FRAMES2, ... (FramesKey).
constexpr char kBitmapKey[] = "BITMAP";
constexpr char kFrameHeightKey[] = "FRAMEHEIGHT";
constexpr char kFrameTimeKey[] = "FRAMETIME";
constexpr char kSuffixKey[] = "SUFFIX";
constexpr char kMessageKey[] = "MESSAGE";
constexpr const char* kSettingKeys[] = {kBitmapKey, kFrameHeightKey, kFrameTimeKey, kSuffixKey,
                                        kMessageKey};
constexpr char kFramesKeyStem[] = "FRAMES";
// "FRAMES" and `n` as "%d" writes it.
std::string FramesKey(int n);

struct MessageKindSettings {
  std::string bitmapPath;
  int32_t frameHeight = 0;  // 0: the whole bitmap height
  int32_t frameTime = 0;
  std::string framesProgram;  // FRAMES1, FRAMES2, ... joined by "\r\n"
  std::string suffix;
  std::string message;
  CodeBuffer code;

  // Reads the six settings, each defaulting to its current value.
  void ReadSettings(const SourceSection& section);
};

}  // namespace zet
