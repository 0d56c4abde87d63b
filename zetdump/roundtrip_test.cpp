// The round trip through the real compiler: compiled files decompile into a
// source and BMP files that compile to the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "compiler/output/compile_source.h"
#include "platform/win32_error.h"
#include "reader/compiled_file.h"
#include "reader/layout.h"
#include "reader/test_content.h"
#include "tests/support/test_folder.h"
#include "zetdump/decompiler.h"
#include "zetdump/dumper.h"
#include "zetdump/source_generator.h"

namespace zetdump {

using zetreader::AppendStatement;
using zetreader::Assemble;
using zetreader::BitmapContent;
using zetreader::CompiledFile;
using zetreader::DamageBase;
using zetreader::FileBytes;
using zetreader::FileContent;
using zetreader::FrameOp;
using zetreader::KindRecord;
using zetreader::kKindCount;
using zetreader::LayOutCompiledFile;
using zetreader::MakeBitmap;
using zetreader::PutU32;
using zetreader::ReadCompiledFile;
using zetreader::ReadTestFile;
using zetreader::RichFile;
using zetreader::Utf8FromShiftJis;
using zetreader::WorkedLayout;
// The compiler under test and the shared test folders.
using zet::CompileSourceFile;
using zet::CurrentFolderScope;
using zet::TestFolder;
using zet::Win32Error;

namespace {

namespace fs = std::filesystem;

// The shared one for strings, and one for bytes beside it.
using zet::WriteFile;

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  const std::string text = ReadTestFile(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

// Compiles `source` as the compiler program does from `folder`: its paths
// are relative to the current folder. The compiler's failure, as a test
// failure.
bool Compile(const std::string& folder, const std::string& source) {
  std::string failure;
  try {
    const CurrentFolderScope scope(folder);
    CompileSourceFile(source.c_str());
  } catch (const std::string& message) {
    failure = Utf8FromShiftJis(message);
  } catch (const Win32Error& error) {
    failure = "Win32Error " + std::to_string(error.code);
  }
  EXPECT_EQ(failure, "") << folder << "/" << source;
  return failure.empty();
}

void WriteDecompiled(const DecompiledFiles& files, const std::string& folder) {
  fs::create_directories(folder);
  for (const auto& [name, bmp] : files.bitmaps) {
    WriteFile(folder + "/" + name, bmp);
  }
  WriteFile(folder + "/" + files.sourceName, files.source);
}

// Where two byte strings first differ, for the failure message.
std::string FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  const auto [left, right] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  return "first difference at +" + std::to_string(left - a.begin()) + " (sizes " +
         std::to_string(a.size()) + " and " + std::to_string(b.size()) + ")";
}

// Decompiles the compiled file at `path` into `folder`, compiles the result
// and compares; the decompiled source is shown when they differ.
void ExpectRoundTrip(const std::string& path, const std::string& folder) {
  const std::vector<uint8_t> original = ReadBytes(path);
  const DecompiledFiles files = Decompile(FileBytes(original), "again");
  WriteDecompiled(files, folder);
  if (!Compile(folder, files.sourceName)) {
    return;
  }
  const std::vector<uint8_t> again = ReadBytes(folder + "/again.ztr");
  EXPECT_EQ(again, original) << FirstDifference(again, original) << "\n"
                             << Utf8FromShiftJis(files.source);
}

void CopyExample(const std::string& folder) {
  fs::create_directories(folder + "/bmp");
  fs::copy_file("../examples/demo.zts", folder + "/demo.zts");
  for (const char* name : {"plain", "info", "warn", "stop", "ask"}) {
    fs::copy_file(std::string("../examples/bmp/") + name + ".bmp",
                  folder + "/bmp/" + name + ".bmp");
  }
}

TEST(RoundTripTest, DumpOfTheExampleEqualsTheReviewedText) {
  const TestFolder temp;
  CopyExample(temp.Path());
  ASSERT_TRUE(Compile(temp.Path(), "demo.zts"));
  std::string text;
  DumpCompiledFile(FileBytes(ReadBytes(temp.PathOf("demo.ztr"))), text);
  const std::string expected = ReadTestFile("testdata/demo.dump.txt");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(Utf8FromShiftJis(text), expected);
}

TEST(RoundTripTest, TheExampleCompilesBackToTheSameBytes) {
  const TestFolder temp;
  CopyExample(temp.Path());
  ASSERT_TRUE(Compile(temp.Path(), "demo.zts"));
  ExpectRoundTrip(temp.PathOf("demo.ztr"), temp.PathOf("out"));
}

// Files at the limits of what a source can say.
std::vector<FileContent> CornerFiles() {
  std::vector<FileContent> files = {WorkedLayout(), DamageBase(), RichFile()};

  FileContent limits = WorkedLayout();
  std::vector<uint8_t>& code = limits.kinds[1].code;
  code.clear();
  for (int i = 0; i < 5458; ++i) {
    code.insert(code.end(), {0, 0, 0});
  }
  code.insert(code.end(), {2, 0, 0, 0, 0, 2, 0, 0, 0, 0});  // 16384 bytes
  limits.captions[9] = std::u16string(16383, u'\u3042');    // 32766 bytes in Shift-JIS
  limits.comment = u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3\uFF71\u30FB";
  limits.kinds[3].message = u"\"  \"";
  limits.kinds[4].suffix = u"\u3000";
  files.push_back(limits);

  FileContent labels = WorkedLayout();
  labels.kinds[2].code.clear();
  for (int i = 0; i < 256; ++i) {
    AppendStatement(labels.kinds[2].code, {FrameOp::Goto, {static_cast<uint16_t>(3 * i)}});
  }
  files.push_back(labels);

  // More than 65535 frames, and a header longer than 40 bytes.
  FileContent strips = WorkedLayout();
  strips.bitmaps.push_back(MakeBitmap(1, 70000, 1));
  strips.kinds[1] = {1, 0, u"", u"", Assemble({{FrameOp::Frame, {65535}}, {FrameOp::Frame, {0}}}),
                     1};
  BitmapContent v5 = MakeBitmap(9, -30, 8, 3);
  v5.info.insert(v5.info.begin() + 40, 84, 0);
  PutU32(v5.info, 0, 124);
  strips.bitmaps.push_back(v5);
  strips.kinds[3] = {10, 0, u"", u"", Assemble({{FrameOp::Frame, {2}}}), 2};
  files.push_back(strips);
  return files;
}

// The files of the reader's and zetdump's own tests and the corner files.
TEST(RoundTripTest, TheTestFilesCompileBackToTheSameBytes) {
  const std::vector<FileContent> files = CornerFiles();
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE("file " + std::to_string(i));
    const TestFolder temp;
    WriteFile(temp.PathOf("in.ztr"), LayOutCompiledFile(files[i]));
    ExpectRoundTrip(temp.PathOf("in.ztr"), temp.PathOf("out"));
  }
}

int SourceCount() {
  const char* text = std::getenv("ZET_ROUNDTRIP_SOURCES");
  return text != nullptr ? std::atoi(text) : 200;
}

// Random sources: each must compile to the code worked out beside it, and
// round-trip.
TEST(RoundTripTest, RandomSourcesCompileToTheirCodeAndBackToTheSameBytes) {
  std::mt19937 random(7);
  for (int i = 0; i < SourceCount(); ++i) {
    const GeneratedSource generated = GenerateSource(random);
    const TestFolder temp;
    for (const auto& [name, bmp] : generated.bitmaps) {
      WriteFile(temp.PathOf(name), bmp);
    }
    WriteFile(temp.PathOf("in.zts"), generated.source);
    ASSERT_TRUE(Compile(temp.Path(), "in.zts")) << Utf8FromShiftJis(generated.source);
    const std::vector<uint8_t> compiled = ReadBytes(temp.PathOf("out.ztr"));
    const FileBytes bytes(compiled);
    const CompiledFile file = ReadCompiledFile(bytes);
    for (int kind = 0; kind < kKindCount; ++kind) {
      const KindRecord& record = file.kinds[kind];
      const std::vector<uint8_t> code = bytes.Copy(record.codeOffset, record.codeLength);
      EXPECT_EQ(code, generated.code[kind]) << "source " << i << ", kind " << kind << ": "
                                            << FirstDifference(code, generated.code[kind]);
    }
    ExpectRoundTrip(temp.PathOf("out.ztr"), temp.PathOf("back"));
    if (HasFailure()) {
      FAIL() << "source " << i << ":\n" << Utf8FromShiftJis(generated.source);
    }
  }
}

}  // namespace
}  // namespace zetdump
