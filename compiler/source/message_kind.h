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
