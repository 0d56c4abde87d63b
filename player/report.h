// What zetplay prints (Shift-JIS): per kind a summary of the run, and with
// --trace one line per step: time in ms, code offset, instruction, frame.
#pragma once

#include <string>

#include "player/kind_player.h"
#include "reader/frame_code.h"

namespace zetplay {

std::string Summary(const PlayedKind& play);
std::string Trace(const PlayedKind& play);

// An instruction as the frames language writes it, jumps to offsets.
std::string InstructionText(const Step& step, const zetreader::KindRecord& record);

}  // namespace zetplay
