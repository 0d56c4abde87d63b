// The Linux source reader on any file: the reads the compiler makes, and
// lookups of names the input picks, give values that the caller's 32767-byte
// buffer holds, names match without regard to ASCII case, and nothing
// is read outside the file or left open.
//
// Input: a byte n, then n bytes of extra names (one per line, section and
// key alternating), then the bytes of the source file.
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/output/compiled_file.h"
#include "compiler/source/message_kind.h"
#include "compiler/source/profile_index.h"
#include "compiler/source/source_file.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"

namespace zet {
namespace {

// At most what the caller's buffer holds, and nothing after a terminator.
void CheckValue(const std::string& value) {
  if (value.size() > kProfileValueMax || value.find('\0') != std::string::npos) {
    FuzzFailure("a value that the caller's buffer cannot hold", value);
  }
}

bool IsPlainAscii(const std::string& name) {
  for (const char byte : name) {
    if (static_cast<unsigned char>(byte) >= 0x80 || byte == '\0') {
      return false;
    }
  }
  return true;
}

std::string AsciiCase(std::string name, bool upper) {
  for (char& byte : name) {
    if (upper && byte >= 'a' && byte <= 'z') {
      byte = static_cast<char>(byte - 'a' + 'A');
    } else if (!upper && byte >= 'A' && byte <= 'Z') {
      byte = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return name;
}

void Lookup(const SourceFile& file, const std::string& section, const std::string& key) {
  const std::string value = file.GetString(section.c_str(), key.c_str(), "");
  CheckValue(value);
  CheckValue(file.GetString(section.c_str(), key.c_str(), "default"));
  file.GetInt(section.c_str(), key.c_str(), -1);
  if (IsPlainAscii(section) && IsPlainAscii(key)) {
    for (const bool upper : {false, true}) {
      const std::string other =
          file.GetString(AsciiCase(section, upper).c_str(), AsciiCase(key, upper).c_str(), "");
      if (other != value) {
        FuzzFailure("a name matches in one case and not in another", section + "/" + key);
      }
    }
  }
}

// What CompileSourceFile reads, in its order.
void ReadLikeTheCompiler(const SourceFile& file) {
  const SourceSection basis(file, "basis");
  basis.ReadInt("version", 0);
  for (const char* key : {"output", "comment", "username"}) {
    CheckValue(basis.ReadString(key));
  }
  MessageKindSettings defaults;
  defaults.ReadSettings(basis);
  const SourceSection buttons(file, "BUTTONS");
  for (const char* key : kButtonKeys) {
    CheckValue(buttons.ReadString(key));
  }
  for (const char* name : kMessageKindNames) {
    MessageKindSettings kind = defaults;
    kind.ReadSettings(SourceSection(file, name));
    for (const std::string* value : {&kind.bitmapPath, &kind.suffix, &kind.message}) {
      CheckValue(*value);
    }
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) {
      end = text.size();
    }
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

}  // namespace
}  // namespace zet

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zet::MemoryFile* const file = new zet::MemoryFile;
  zet::FuzzInput input(data, size);
  const std::vector<std::string> names = zet::Lines(input.Bytes(input.Byte()));
  file->Fill(input.Rest());
  const int descriptors = zet::OpenDescriptorCount();
  {
    const zet::SourceFile source(file->Path());
    zet::ReadLikeTheCompiler(source);
    for (size_t i = 0; i + 1 < names.size(); i += 2) {
      zet::Lookup(source, names[i], names[i + 1]);
    }
  }
  if (zet::OpenDescriptorCount() != descriptors) {
    zet::FuzzFailure("reading a source left a descriptor open");
  }
  return 0;
}
