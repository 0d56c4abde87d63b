// zetplay's core on any file: every kind the reader accepts is played and
// exported (APNG, GIF, sheet, page, summary, trace) or refused with a
// message, never a crash, a hang or a read outside the file; and what the
// exports hold lasts as long as the run they come from, or, for a cut run,
// up to where the code last went back to its start.
//
// Input: the bytes of the compiled file. Its length chooses --loop (odd)
// and the seed, so that both kinds of run are reached from every seed.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/console.h"
#include "player/gif_writer.h"
#include "player/html_page.h"
#include "player/kind_player.h"
#include "player/play_error.h"
#include "player/png_writer.h"
#include "player/report.h"
#include "player/sheet.h"
#include "reader/compiled_file.h"
#include "reader/text_code.h"

namespace {

using zetplay::Ending;
using zetplay::PlayedKind;

// A cut run's export loops where the code runs offset 0 again, or holds
// the whole run once.
void CheckCut(const PlayedKind& play) {
  const zetplay::Run& run = play.run;
  const size_t restart = run.restartStep;
  if (restart >= run.steps.size() || (restart > 0 && run.steps[restart].offset != 0)) {
    zet::FuzzFailure("a cut run's restart is no step at offset 0");
  }
  const int64_t until = restart > 0 ? run.steps[restart].time : run.length;
  if (play.animation.Length() != until || play.animation.loops != (restart > 0)) {
    zet::FuzzFailure("a cut run's export does not end where the code goes back to its start");
  }
}

void CheckLengths(const PlayedKind& play) {
  if (play.run.ending == Ending::Ends && play.animation.Length() != play.run.length) {
    zet::FuzzFailure("the export does not last as long as the run");
  }
  if (play.run.ending == Ending::Cut) {
    CheckCut(play);
  }
  if (play.run.length > 2000) {
    zet::FuzzFailure("the run passes --max-ms");
  }
}

std::string Export(const PlayedKind& play) {
  CheckLengths(play);
  const std::string apng = zetplay::EncodeApng(*play.picture, play.frameHeight, play.animation);
  if (apng.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
    zet::FuzzFailure("the APNG does not start as PNG");
  }
  if (zetplay::GifAvailable()) {
    zetplay::EncodeGif(*play.picture, play.frameHeight, play.animation);
  }
  try {
    zetplay::DrawSheet(*play.picture, play.frameHeight, play.use);
  } catch (const zetplay::PlayError& error) {
    zet::CheckFailureText(error.text + "\r\n");
  }
  zet::ConsoleText(zetplay::Summary(play) + zetplay::Trace(play));
  return apng;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const zetreader::FileBytes bytes(std::vector<uint8_t>(data, data + size));
  zetreader::CompiledFile file;
  try {
    file = zetreader::ReadCompiledFile(bytes);
  } catch (const zetreader::FileFault&) {
    return 0;  // the zetdump harness checks the reader's refusals
  }
  zetplay::Settings settings;
  settings.maxMs = 2000;
  settings.loop = size % 2 == 1;
  settings.seed = size;
  zetplay::KindPlayer player(bytes, file, settings);
  PlayedKind plays[zetreader::kKindCount];
  std::string apngs[zetreader::kKindCount];
  int played = 0;
  for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
    try {
      plays[kind] = player.Play(kind);
      apngs[kind] = Export(plays[kind]);
      ++played;
    } catch (const zetreader::FileFault& fault) {
      zet::CheckFailureText(fault.text + "\r\n");
    } catch (const zetplay::PlayError& error) {
      zet::CheckFailureText(error.text + "\r\n");
    }
  }
  if (played == zetreader::kKindCount) {
    zetplay::HtmlPage(file, plays, apngs);
  }
  return 0;
}
