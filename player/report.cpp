#include "player/report.h"

#include "reader/format.h"

namespace zetplay {

using zetreader::Format;
using zetreader::FrameOp;

namespace {

long long L(int64_t value) {
  return static_cast<long long>(value);
}

const zetreader::Instruction* InstructionAt(const zetreader::KindRecord& record, uint32_t offset) {
  for (const auto& instruction : record.code) {
    if (instruction.offset == offset) {
      return &instruction;
    }
  }
  return nullptr;
}

// The export of a cut run loops only at the code's own return to its start.
std::string CutText(const Run& run, const Animation& animation) {
  const std::string text = Format(
      "終わりも周期もないまま %lld ms で打ち切りました (--max-ms、"
      "乱数 %d 回)。",
      L(run.length), run.draws);
  if (animation.loops) {
    return text + Format("書き出しはコードが先頭に戻る %lld ms までを先頭からくり返します。",
                         L(animation.Length()));
  }
  return text + Format(
                    "コードはそれまでに先頭に戻らないので、書き出しは 1 回だけ再生し、"
                    "打ち切ったときのフレーム %d のまま止まります。",
                    animation.shots.back().frame);
}

std::string EndingText(const PlayedKind& play) {
  const Run& run = play.run;
  const Animation& animation = play.animation;
  switch (run.ending) {
    case Ending::Ends:
      return Format("%lld ms でコードが終わり、最後のフレーム %d のまま止まります。", L(run.length),
                    animation.shots.back().frame);
    case Ending::Still:
      return "コードがフレームを表示しないので、フレーム 0 の静止画です。";
    case Ending::Cut:
      return CutText(run, animation);
    case Ending::Cycles:
      break;
  }
  const int64_t start = run.steps[run.cycleStep].time;
  std::string text = Format("%lld ms から %lld ms の周期を限りなくくり返します。", L(start),
                            L(run.length - start));
  if (animation.leadIn == 0) {
    return text +
           Format("書き出しは 1 周期 %lld ms を継ぎ目なくくり返します。", L(animation.Length()));
  }
  return text + Format("書き出しは最初の部分と周期 %d 回 (%lld ms) を先頭からくり返します。",
                       animation.cycleRepeats, L(animation.Length()));
}

}  // namespace

std::string InstructionText(const Step& step, const zetreader::KindRecord& record) {
  // Jumps name offsets, as the trace's offset column does.
  return zetreader::StatementText(*InstructionAt(record, step.offset),
                                  [](uint32_t offset) { return Format("+%05u", offset); });
}

std::string Summary(const PlayedKind& play) {
  const char* name = zetreader::kKindNames[play.kind];
  std::string text =
      Format("%s: %d × %d ピクセル、%u ビット、フレーム %u 枚 (高さ %d)、1 フレーム %lld ms\n",
             name, play.picture->width, play.picture->height, play.picture->bitCount,
             play.frameCount, play.frameHeight, L(play.frameMs));
  text += "  " + EndingText(play) + "\n";
  std::string shown, never;
  for (uint32_t frame = 0; frame < play.frameCount; ++frame) {
    const FrameUse& use = play.use[frame];
    if (use.count > 0) {
      shown += Format("%s%u (%lld 回、%lld ms)", shown.empty() ? "" : "、", frame, L(use.count),
                      L(use.ms));
    } else {
      never += Format("%s%u", never.empty() ? "" : " ", frame);
    }
  }
  text += "  表示したフレーム: " + shown + "\n";
  text += "  表示しないフレーム: " + (never.empty() ? std::string("なし") : never) + "\n";
  return text;
}

std::string Trace(const PlayedKind& play) {
  const zetreader::KindRecord* record = play.record;
  std::string text =
      Format("%s の実行 (時刻 ms、オフセット、命令、表示):\n", zetreader::kKindNames[play.kind]);
  for (const Step& step : play.run.steps) {
    std::string shown;
    if (step.frame >= 0) {
      shown = Format("フレーム %d (%lld ms)", step.frame, L(step.duration));
    } else if (step.op == FrameOp::Prob) {
      shown = Format("%s → +%05u", step.taken ? "当たり" : "外れ", step.next);
    } else {
      shown = Format("→ +%05u", step.next);
    }
    text += Format("%8lld  +%05u  %-26s %s\n", L(step.time), step.offset,
                   InstructionText(step, *record).c_str(), shown.c_str());
  }
  const Run& run = play.run;
  switch (run.ending) {
    case Ending::Ends:
      text += Format("%8lld  終わり\n", L(run.length));
      break;
    case Ending::Still:
      text += Format("%8lld  終わり (フレームなし: フレーム 0 の静止画)\n", L(run.length));
      break;
    case Ending::Cut:
      text += Format("%8lld  打ち切り\n", L(run.length));
      break;
    case Ending::Cycles:
      text += Format("%8lld  周期: +%05u (時刻 %lld) に戻ります\n", L(run.length),
                     run.steps[run.cycleStep].offset, L(run.steps[run.cycleStep].time));
      break;
  }
  return text;
}

}  // namespace zetplay
