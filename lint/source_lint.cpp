#include "lint/source_lint.h"

#include <algorithm>
#include <memory>

#include "compiler/output/compile_source.h"
#include "compiler/output/compiled_file.h"
#include "compiler/output/source_basis.h"
#include "compiler/source/message_kind.h"
#include "compiler/source/source_file.h"
#include "lint/kind_lint.h"
#include "lint/source_checks.h"
#include "lint/source_view.h"
#include "platform/system_message.h"
#include "platform/win32_error.h"

namespace zetlint {
namespace {

using zet::kBasisSection;

// The compiler's texts for these name [basis] themselves.
void Error(SourceReport& report, Place place, const std::string& text) {
  report.diagnostics.push_back({place, Severity::Error, Check::Compile, "", OneLine(text), {}});
}

// The compiler's reads of [basis] and their failures, the first of which
// stops it before any kind; the lint reports both and goes on to the kinds.
void LintBasis(const SourceView& view, SourceReport& report) {
  const zet::BasisReading basis = zet::ReadBasis(zet::SourceSection(view.File(), kBasisSection));
  if (!basis.versionFailure.empty()) {
    Error(report, view.KeyPlace(kBasisSection, zet::kVersionKey), basis.versionFailure);
  }
  report.output = basis.output;
  if (!basis.outputFailure.empty()) {
    Error(report, view.KeyPlace(kBasisSection, zet::kOutputKey), basis.outputFailure);
  }
}

void LintKinds(const SourceView& view, SourceReport& report) {
  zet::MessageKindSettings defaults;
  defaults.ReadSettings(zet::SourceSection(view.File(), kBasisSection));
  // Each record holds a 16 KB code buffer: kept off the stack.
  const std::unique_ptr<zet::KindSettingsArray> kinds(new zet::KindSettingsArray);
  for (int i = 0; i < zet::kMessageKindCount; ++i) {
    std::vector<Diagnostic> found;
    LintKind(view, defaults, i, (*kinds)[i], found);
    for (Diagnostic& diagnostic : found) {
      AddMerged(report.diagnostics, std::move(diagnostic));
    }
    const std::string& bitmap = (*kinds)[i].bitmapPath;
    if (!bitmap.empty() &&
        std::find(report.bitmaps.begin(), report.bitmaps.end(), bitmap) == report.bitmaps.end()) {
      report.bitmaps.push_back(bitmap);
    }
  }
  if (report.output.empty()) {
    return;
  }
  try {
    zet::RefuseOutputOverInput(report.output, report.fullPath, *kinds);
  } catch (const std::string& text) {
    Error(report, view.KeyPlace(kBasisSection, zet::kOutputKey), text);
  }
}

}  // namespace

SourceReport LintSource(const char* path) {
  SourceReport report;
  report.path = path;
  try {
    report.fullPath = zet::ResolveFullPath(path);
  } catch (const zet::Win32Error& error) {
    report.diagnostics.push_back(
        {Place{}, Severity::Error, Check::Compile, "", zet::SystemMessageLine(error.code), {}});
    return report;
  }
  report.read = true;
  const SourceView view(zet::ReadSourceText(report.fullPath));
  CheckSourceLines(view, report.diagnostics);
  LintBasis(view, report);
  LintKinds(view, report);
  std::stable_sort(report.diagnostics.begin(), report.diagnostics.end(),
                   [](const Diagnostic& a, const Diagnostic& b) {
                     return a.place.line != b.place.line ? a.place.line < b.place.line
                                                         : a.place.column < b.place.column;
                   });
  return report;
}

}  // namespace zetlint
