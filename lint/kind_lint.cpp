#include "lint/kind_lint.h"

#include <string>

#include "compiler/common/format_string.h"
#include "compiler/frames/frame_compiler.h"
#include "compiler/output/compile_kind.h"
#include "compiler/output/mapped_bitmap.h"
#include "compiler/output/source_basis.h"
#include "compiler/source/source_file.h"
#include "lint/bitmap_reason.h"
#include "lint/frame_flow.h"
#include "platform/system_message.h"
#include "platform/win32_error.h"

namespace zetlint {
namespace {

using zet::ProfileLine;

using zet::kBasisSection;

bool ReadsEmpty(const ProfileLine* line) {
  return line == nullptr || line->value.empty() || line->value[0] == '\0';
}

class KindLint {
 public:
  KindLint(const SourceView& view, int index, std::vector<Diagnostic>& out)
      : view_(view), name_(zet::kMessageKindNames[index]), out_(out) {}

  void Run(const zet::MessageKindSettings& defaults, zet::MessageKindSettings& kind) {
    kind = defaults;
    kind.ReadSettings(zet::SourceSection(view_.File(), name_));
    // Inherited whole or replaced whole, as ReadSettings takes programs.
    const std::string first = zet::FramesKey(1);
    program_ = !ReadsEmpty(view_.KeyLine(name_, first.c_str()))           ? name_
               : !ReadsEmpty(view_.KeyLine(kBasisSection, first.c_str())) ? kBasisSection
                                                                          : nullptr;
    if (kind.bitmapPath.empty()) {
      const Place own = view_.HeaderPlace(name_);
      Add(Severity::Error, Check::Compile, own.line != 0 ? own : view_.HeaderPlace(kBasisSection),
          "BITMAP が指定されていません。");
      return;
    }
    bitmapPlace_ = ValuePlace(SettingLine(zet::kBitmapKey));
    uint32_t height = 0;
    try {
      const zet::MappedBitmap bitmap(kind.bitmapPath.c_str());
      height = bitmap.Height();
    } catch (const zet::Win32Error& error) {
      RefusedBitmap(kind, error.code);
      return;
    }
    if (const uint32_t frameCount = FrameCount(kind, height)) {
      Compile(kind, frameCount);
    }
  }

 private:
  Diagnostic& Add(Severity severity, Check check, Place place, std::string text) {
    out_.push_back({place, severity, check, name_, std::move(text), {}});
    return out_.back();
  }

  // The line the kind's value of `key` came from: its own section's, else
  // basis's, as ReadSettings takes them.
  const ProfileLine* SettingLine(const char* key) const {
    for (const char* section : {name_, kBasisSection}) {
      const ProfileLine* line = view_.KeyLine(section, key);
      if (!ReadsEmpty(line)) {
        return line;
      }
    }
    return nullptr;
  }

  Place ValuePlace(const ProfileLine* line) const {
    return line != nullptr ? SourceView::At(*line, line->valueColumn) : Place{};
  }

  // Line n of the program is the value of FRAMESn of the section it came from.
  Place FramesPlace(zet::FramePosition at) const {
    if (program_ == nullptr) {
      return bitmapPlace_;  // the built-in "0;"
    }
    const int32_t line = at.line == 0 ? 1 : at.line;
    const ProfileLine* key =
        view_.KeyLine(program_, zet::FramesKey(static_cast<int>(line)).c_str());
    if (key == nullptr) {
      return Place{};
    }
    const uint32_t column = at.line == 0 ? 1 : static_cast<uint32_t>(at.column);
    return SourceView::At(*key, key->valueColumn + column - 1);
  }

  void RefusedBitmap(const zet::MessageKindSettings& kind, uint32_t code) {
    Diagnostic& error =
        Add(Severity::Error, Check::Compile, bitmapPlace_, zet::SystemMessageLine(code));
    if (code == zet::kErrorInvalidParameter) {
      error.notes.push_back(ExplainRefusedBitmap(kind.bitmapPath.c_str()));
    }
  }

  // 0 when the compiler stops here.
  uint32_t FrameCount(zet::MessageKindSettings& kind, uint32_t height) {
    const bool written = kind.frameHeight != 0;
    const Place heightPlace =
        written ? ValuePlace(SettingLine(zet::kFrameHeightKey)) : bitmapPlace_;
    uint32_t frameCount = 0;
    try {
      frameCount = zet::SettleFrameCount(kind, height);
    } catch (const std::string& text) {
      Add(Severity::Error, Check::Compile, heightPlace, OneLine(text));
      return 0;
    }
    const uint32_t rest = height % static_cast<uint32_t>(kind.frameHeight);
    if (rest != 0) {
      Add(Severity::Warning, Check::PartialFrame, heightPlace,
          zet::FormatString("ビットマップの高さ %u は FRAMEHEIGHT %d で割り切れず、下の %u "
                            "行はどのフレームにも入りません。",
                            height, static_cast<int>(kind.frameHeight), rest));
    }
    return frameCount;
  }

  void Compile(zet::MessageKindSettings& kind, uint32_t frameCount) {
    zet::FramePlaces places;
    zet::FrameCompiler compiler(kind.framesProgram.c_str(), kind.code, frameCount);
    compiler.RecordPlaces(places);
    try {
      compiler.Compile();
    } catch (const std::string& text) {
      Add(Severity::Error, Check::Compile,
          FramesPlace({compiler.TokenLine(), compiler.TokenColumn()}), OneLine(text));
      return;
    }
    for (FlowFinding& finding :
         AnalyseFlow(kind.code.Bytes(), kind.code.Length(), places, frameCount)) {
      Add(finding.severity, finding.check, FramesPlace(finding.at), std::move(finding.text));
    }
  }

  const SourceView& view_;
  const char* name_;
  std::vector<Diagnostic>& out_;
  const char* program_ = nullptr;  // the section of the program's FRAMES keys
  Place bitmapPlace_;
};

}  // namespace

void LintKind(const SourceView& view, const zet::MessageKindSettings& defaults, int index,
              zet::MessageKindSettings& kind, std::vector<Diagnostic>& out) {
  KindLint(view, index, out).Run(defaults, kind);
}

}  // namespace zetlint
