#include "compiler/output/compile_source.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "compiler/output/compile_kind.h"
#include "compiler/output/compiled_file.h"
#include "compiler/output/file_identity.h"
#include "compiler/output/output_file.h"
#include "compiler/output/source_basis.h"
#include "compiler/source/message_kind.h"
#include "compiler/source/source_file.h"
#include "platform/system_message.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

struct SourceTexts {
  std::string output;
  std::string comment;
  std::string userName;
  std::string captions[kButtonCount];
};

// The first failure of [basis] stops the compilation.
SourceTexts ReadBasisTexts(const SourceSection& basis) {
  BasisReading reading = ReadBasis(basis);
  for (const std::string* failure : {&reading.versionFailure, &reading.outputFailure}) {
    if (!failure->empty()) {
      throw *failure;
    }
  }
  SourceTexts texts;
  texts.output = std::move(reading.output);
  texts.comment = std::move(reading.comment);
  texts.userName = std::move(reading.userName);
  return texts;
}

// Every failure of one kind is told with the kind's name in front.
void ReadAndCompileKind(const SourceFile& source, const MessageKindSettings& defaults,
                        MessageKindSettings& kind, const char* name) {
  try {
    kind = defaults;
    kind.ReadSettings(SourceSection(source, name));
    CompileKind(kind);
  } catch (const Win32Error& error) {
    throw KindErrorMessage(name, SystemMessage(error.code));
  } catch (const std::string& text) {
    throw KindErrorMessage(name, text);
  }
}

void WriteCompiledFile(const SourceTexts& texts, const KindSettingsArray& kinds) {
  CompiledFileHeader header;
  OutputFile file(texts.output.c_str());
  file.Write(header.ToBytes().data(), kHeaderSize);  // the offsets follow at the end
  header.comment = WriteWideString(file, texts.comment);
  header.userName = WriteWideString(file, texts.userName);
  for (int i = 0; i < kButtonCount; ++i) {
    header.buttons[i] = WriteWideString(file, texts.captions[i]);
  }
  for (int i = 0; i < kMessageKindCount; ++i) {
    WriteKindRecord(file, header, kinds, i);
  }
  header.fileSize = file.GetSize();
  file.Rewind();
  file.Write(header.ToBytes().data(), kHeaderSize);
  file.Commit();
}

}  // namespace

// Writing the output over the source or a bitmap would destroy the user's
// input, and a bitmap would be read while it is replaced.
void RefuseOutputOverInput(const std::string& output, const std::string& source,
                           const KindSettingsArray& kinds) {
  const std::optional<FileIdentity> target = FindFileIdentity(output.c_str());
  if (!target) {
    return;
  }
  bool same = FindFileIdentity(source.c_str()) == target;
  for (int i = 0; i < kMessageKindCount && !same; ++i) {
    const std::string& path = kinds[i].bitmapPath;
    // A path that an earlier kind names has been looked at.
    const auto earlier =
        std::find_if(kinds.begin(), kinds.begin() + i,
                     [&](const MessageKindSettings& k) { return k.bitmapPath == path; });
    same = earlier == kinds.begin() + i && FindFileIdentity(path.c_str()) == target;
  }
  if (same) {
    throw std::string("OUTPUT が入力ファイルと同じです。\r\n");
  }
}

void CompileSourceFile(const char* path) {
  const std::string fullPath = ResolveFullPath(path);
  const SourceFile source(fullPath);
  const SourceSection basis(source, kBasisSection);
  SourceTexts texts = ReadBasisTexts(basis);
  MessageKindSettings defaults;
  defaults.ReadSettings(basis);
  const SourceSection buttons(source, kButtonsSection);
  for (int i = 0; i < kButtonCount; ++i) {
    texts.captions[i] = buttons.ReadString(kButtonKeys[i]);
  }
  // Each record holds a 16 KB code buffer: kept off the stack, and not
  // zeroed first (make_unique would), since each record is assigned whole.
  const std::unique_ptr<KindSettingsArray> kinds(new KindSettingsArray);
  for (int i = 0; i < kMessageKindCount; ++i) {
    ReadAndCompileKind(source, defaults, (*kinds)[i], kMessageKindNames[i]);
  }
  RefuseOutputOverInput(texts.output, fullPath, *kinds);
  WriteCompiledFile(texts, *kinds);
}

}  // namespace zet
