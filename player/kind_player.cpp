#include "player/kind_player.h"

#include <algorithm>

#include "player/play_error.h"
#include "reader/format.h"

namespace zetplay {

using zetreader::Format;
using zetreader::kKindNames;

namespace {

std::string OffsetList(const std::vector<uint32_t>& offsets) {
  std::string list;
  for (uint32_t offset : offsets) {
    list += Format("%s+%05u", list.empty() ? "" : " ", offset);
  }
  return list;
}

}  // namespace

int64_t FrameMs(int32_t frameTime, const Settings& settings) {
  return zetstep::FrameMs(frameTime, settings.unitMs, settings.defaultMs);
}

std::shared_ptr<const Picture> KindPlayer::PictureOf(int kind) {
  const zetreader::BitmapBlocks& bitmap = file_.kinds[kind].bitmap;
  auto& picture = pictures_[bitmap.infoOffset];
  if (!picture) {
    picture = std::make_shared<Picture>(DecodePicture(bytes_, bitmap, kKindNames[kind]));
  }
  return picture;
}

PlayedKind KindPlayer::Play(int kind) {
  const zetreader::KindRecord& record = file_.kinds[kind];
  PlayedKind play;
  play.kind = kind;
  play.record = &record;
  play.picture = PictureOf(kind);
  play.frameMs = FrameMs(record.frameTime, settings_);
  play.frameHeight = record.frameHeight;
  play.frameCount = std::min(record.frameCount, kAddressableFrames);
  RunSettings run;
  run.frameMs = play.frameMs;
  run.maxMs = settings_.maxMs;
  run.loop = settings_.loop;
  run.seed = settings_.seed;
  try {
    play.run = PlayCode(record.code, record.codeLength, run);
  } catch (const HangFault& fault) {
    throw PlayError{
        Format("%s のコードはフレームを表示しないまま回り続けます (オフセット %s)。"
               "再生側が止まってしまうので再生しません。",
               kKindNames[kind], OffsetList(fault.offsets).c_str())};
  }
  play.animation = AnimationOf(play.run, settings_.maxMs);
  play.use = UseOf(play.run, play.frameCount);
  return play;
}

}  // namespace zetplay
