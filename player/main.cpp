// zetplay: plays the animations of a compiled message file as the player's
// model of the run-time does, and writes what it shows: a summary, a trace,
// animated PNG and GIF, a contact sheet and an HTML page of the five boxes.
// Every input ends in a message and an exit status (0, 1 failure, 2 wrong use).
#include <cstdio>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "platform/console.h"
#include "platform/system_message.h"
#include "platform/whole_file.h"
#include "player/gif_writer.h"
#include "player/html_page.h"
#include "player/kind_player.h"
#include "player/options.h"
#include "player/play_error.h"
#include "player/png_writer.h"
#include "player/report.h"
#include "player/sheet.h"
#include "reader/compiled_file.h"
#include "reader/format.h"
#include "version.h"

namespace zetplay {

using zet::Say;
using zetreader::Format;

namespace {

void Write(FILE* stream, const std::string& text) {
  zet::WriteConsole(stream, zet::ConsoleText(text));
}

using Output = std::pair<std::string, std::string>;  // path, bytes

struct Session {
  const Options& options;
  std::vector<Output> outputs;
  std::vector<Output> notes;  // path, Shift-JIS text: shown once the files are written

  std::string PathOf(const std::string& path, int kind) const {
    return options.kind >= 0 ? path : PathForKind(path, kind);
  }

  void Images(const PlayedKind& play) {
    const Picture& picture = *play.picture;
    if (!options.apng.empty()) {
      outputs.emplace_back(PathOf(options.apng, play.kind),
                           EncodeApng(picture, play.frameHeight, play.animation));
    }
    if (!options.gif.empty()) {
      Gif gif = EncodeGif(picture, play.frameHeight, play.animation);
      const std::string path = PathOf(options.gif, play.kind);
      if (gif.quantised) {
        notes.emplace_back(path,
                           Format("色が 256 を超えるので %d 色に減らしました。", gif.colours));
      }
      if (gif.slowDelays > 0) {
        notes.emplace_back(path,
                           Format("%d フレームの表示時間が 20 ms 未満です。ブラウザーはそういう"
                                  "フレームを遅く表示します。",
                                  gif.slowDelays));
      }
      outputs.emplace_back(path, std::move(gif.bytes));
    }
    if (!options.sheet.empty()) {
      outputs.emplace_back(PathOf(options.sheet, play.kind),
                           DrawSheet(picture, play.frameHeight, play.use));
    }
  }
};

int Play(const Options& options) {
  const zetreader::FileBytes bytes = zetreader::ReadFileBytes(options.file);
  const zetreader::CompiledFile file = zetreader::ReadCompiledFile(bytes);
  KindPlayer player(bytes, file, options.settings);
  PlayedKind plays[zetreader::kKindCount];
  Session session{options, {}, {}};
  for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
    const bool picked = options.kind < 0 || options.kind == kind;
    if (!picked && options.html.empty()) {
      continue;
    }
    plays[kind] = player.Play(kind);
    if (!picked) {
      continue;
    }
    Write(stdout, Summary(plays[kind]) + (options.trace ? Trace(plays[kind]) : ""));
    session.Images(plays[kind]);
  }
  if (!options.html.empty()) {
    std::string apngs[zetreader::kKindCount];
    for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
      apngs[kind] =
          EncodeApng(*plays[kind].picture, plays[kind].frameHeight, plays[kind].animation);
    }
    session.outputs.emplace_back(options.html, HtmlPage(file, plays, apngs));
  }
  for (const Output& output : session.outputs) {
    if (const uint32_t code = zet::WriteWholeFile(output.first, output.second)) {
      throw zetreader::FileError{output.first,
                                 "ファイルを書けません。" + zet::SystemMessageLine(code)};
    }
    Say(stdout, output.first, "書きました。");
  }
  // The path stays as the console gave it, between Shift-JIS texts.
  for (const Output& note : session.notes) {
    Write(stderr, "注意: ");
    Say(stderr, note.first, note.second);
  }
  return zet::kExitSuccess;
}

int Main(int argc, char** argv) {
  Options options;
  try {
    options = ParseOptions(argc, argv);
  } catch (const UsageError& error) {
    Say(stderr, "", error.text);
    Write(stderr, kUsage);
    return zet::kExitWrongUse;
  }
  if (options.help) {
    return zet::ShowUsage(kUsage);
  }
  if (options.version) {
    return zet::ShowVersion("zetplay " ZETCOMP_VERSION);
  }
  if (!options.gif.empty() && !GifAvailable()) {
    Say(stderr, options.gif,
        "この版 (Windows) には giflib がないので GIF は書けません。"
        "--apng を使ってください。");
    return zet::kExitFailure;
  }
  try {
    return Play(options);
  } catch (const zetreader::FileFault& fault) {
    Say(stderr, options.file, zetreader::FaultLine(fault));
  } catch (const PlayError& error) {
    Say(stderr, options.file, error.text);
  }
  return zet::kExitFailure;
}

}  // namespace
}  // namespace zetplay

int main(int argc, char** argv) {
  zet::NameProgram("zetplay");
  try {
    return zet::ExitStatus(zetplay::Main(argc, argv));
  } catch (const zetreader::FileError& error) {
    zet::Say(stderr, error.path, error.text);
  } catch (const std::bad_alloc&) {
    zet::Say(stderr, "", "メモリーが足りません。");
  }
  return zet::ExitStatus(zet::kExitFailure);
}
