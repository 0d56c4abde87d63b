// The run-time's opening and stepping on any file: a file opens or is
// refused with a fault, never a crash or a read outside it; an opened kind
// plays on any clock without a hang, shows only frames of its strip, and
// shows at every moment of zetplay's run the frame that run shows then.
//
// Input: the bytes of the compiled file; its length chooses the seed.
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "player/kind_player.h"
#include "player/play_error.h"
#include "runtime/box_animation.h"
#include "runtime/messages.h"

namespace {

void CheckAgainstPlayer(const ZetMessages& messages, int kind, uint64_t seed) {
  zetplay::Settings settings;
  settings.seed = seed;
  settings.maxMs = zetrt::kPlayerMs;
  zetplay::PlayedKind play;
  try {
    play = zetplay::KindPlayer(messages.bytes, messages.file, settings).Play(kind);
  } catch (const zetplay::PlayError&) {
    zetrt::BoxAnimation still(messages.file.kinds[kind],
                              zetplay::FrameMs(messages.file.kinds[kind].frameTime, settings),
                              seed);
    if (still.FrameAt(0) != 0 || still.nextChange()) {
      zet::FuzzFailure("code that hangs a player is not shown still on frame 0");
    }
    return;
  } catch (const zetreader::FileFault&) {
    zet::FuzzFailure("the run-time opened a strip the player cannot draw");
  }
  zetrt::BoxAnimation animation(messages.file.kinds[kind], play.frameMs, seed);
  for (const zetplay::Step& step : play.run.steps) {
    if (step.frame >= 0 && animation.FrameAt(step.time) != step.frame) {
      zet::FuzzFailure("the run-time shows another frame than zetplay's run");
    }
  }
}

void CheckClock(const ZetMessages& messages, int kind, uint64_t seed) {
  const zetrt::Strip& strip = messages.strips[kind];
  const int64_t frameMs = zetstep::FrameMs(messages.file.kinds[kind].frameTime, 1, 100);
  zetrt::BoxAnimation animation(messages.file.kinds[kind], frameMs, seed);
  uint64_t shown = 0;
  for (int64_t at : {0, 1, 99, 100, 1000, 5000, 100000}) {
    const int frame = animation.FrameAt(at);
    if (frame < 0 || (frame > 0 && frame >= strip.frameCount)) {
      zet::FuzzFailure("a frame outside the strip");
    }
    if (animation.shownSteps() < shown) {
      zet::FuzzFailure("the count of shown steps went back");
    }
    shown = animation.shownSteps();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<ZetMessages> messages;
  try {
    messages = zetrt::OpenMessages(std::vector<uint8_t>(data, data + size));
  } catch (const zetreader::FileFault& fault) {
    zet::CheckFailureText(fault.text + "\r\n");
    return 0;
  }
  const uint64_t seed = size * 2654435761u + 1;
  for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
    CheckClock(*messages, kind, seed);
    CheckAgainstPlayer(*messages, kind, seed);
  }
  return 0;
}
