#include "compiler/output/compile_source.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "compiler/output/compile_kind.h"
#include "compiler/output/compiled_file.h"
#include "compiler/output/file_identity.h"
#include "compiler/output/output_file.h"
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

SourceTexts ReadBasis(const SourceSection& basis) {
  if (basis.ReadInt("version", 0) != static_cast<int32_t>(kCompiledFileVersion)) {
    throw std::string("[basis]中の version が指定されていないか、対応できない値です。\r\n");
  }
  SourceTexts texts;
  texts.output = basis.ReadString("output");
  if (texts.output.empty()) {
    throw std::string("[BASIS]中に OUTPUT が指定されていません。\r\n");
  }
  texts.comment = basis.ReadString("comment");
  texts.userName = basis.ReadString("username");
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
  const SourceSection basis(source, "basis");
  SourceTexts texts = ReadBasis(basis);
  MessageKindSettings defaults;
  defaults.ReadSettings(basis);
  const SourceSection buttons(source, "BUTTONS");
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
