// The Linux build: paths resolved like GetFullPathNameA and GetFileAttributesA,
// and the source read and indexed once by our own profile reader.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "compiler/source/profile_index.h"
#include "compiler/source/source_file.h"
#include "platform/cp932_posix.h"
#include "platform/shift_jis.h"
#include "platform/system_error.h"
#include "platform/system_handles.h"
#include "platform/win32_error.h"

namespace zet {

struct SourceFile::Index {
  ProfileIndex profile;
};

namespace {

// Windows reads a file that starts with FF FE as UTF-16LE and hands its text
// on in the ANSI code page; what code page 932 lacks becomes "?". Converted a
// piece at a time, so that the file's size is held only once beside the text.
std::string Cp932FromUtf16(const std::string& bytes) {
  constexpr size_t kPieceUnits = 32768;
  std::string text;
  text.reserve(bytes.size() / 2);
  std::u16string units;
  std::string piece;
  size_t pos = 2;
  while (pos + 1 < bytes.size()) {
    units.clear();
    for (; pos + 1 < bytes.size() && units.size() < kPieceUnits; pos += 2) {
      units += static_cast<char16_t>(static_cast<unsigned char>(bytes[pos]) |
                                     static_cast<unsigned char>(bytes[pos + 1]) << 8);
    }
    // A surrogate pair stays whole: its first half waits for the next piece.
    if (pos + 1 < bytes.size() && units.back() >= 0xD800 && units.back() < 0xDC00) {
      units.pop_back();
      pos -= 2;
    }
    Utf16ToCp932(units, piece, Unmapped::Replace);
    text += piece;
  }
  return text;
}

// The bytes of a readable plain file; anything else reads as an empty file.
std::string ReadWholeFile(const std::string& path) {
  const UniqueDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat status;
  if (file.Get() < 0 || fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return std::string();
  }
  std::string bytes;
  bytes.reserve(static_cast<size_t>(status.st_size));
  char chunk[65536];
  for (;;) {
    const ssize_t got = read(file.Get(), chunk, sizeof chunk);
    if (got == 0) {
      return bytes;
    }
    if (got < 0 && errno != EINTR) {
      return std::string();
    }
    if (got > 0) {
      bytes.append(chunk, static_cast<size_t>(got));
    }
  }
}

std::string CurrentFolder() {
  std::vector<char> buffer(256);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) {
      throw Win32Error{LastSystemError()};
    }
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

// Drops empty and "." parts and lets ".." take back the part before it, by
// the text alone, as GetFullPathNameA does; a final "/" stays.
std::string Normalized(const std::string& absolute) {
  std::vector<std::string> parts;
  size_t begin = 1;
  while (begin <= absolute.size()) {
    size_t end = absolute.find('/', begin);
    if (end == std::string::npos) {
      end = absolute.size();
    }
    const std::string part = absolute.substr(begin, end - begin);
    if (part == "..") {
      if (!parts.empty()) {
        parts.pop_back();
      }
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    begin = end + 1;
  }
  std::string result;
  for (const std::string& part : parts) {
    result += '/';
    result += part;
  }
  if (result.empty() || absolute.back() == '/') {
    result += '/';
  }
  return result;
}

}  // namespace

std::string ReadSourceText(const std::string& fullPath) {
  std::string bytes = ReadWholeFile(ToPosixPath(fullPath.c_str()));
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    return Cp932FromUtf16(bytes);
  }
  return bytes;
}

std::string FullPathOf(const char* path) {
  std::string full = ToPosixPath(path);
  if (full.empty()) {
    // GetFullPathNameA fails on it, without a code; Windows' word for it.
    throw Win32Error{kErrorInvalidName};
  }
  if (full[0] != '/') {
    full = CurrentFolder() + '/' + full;
  }
  return Normalized(full);
}

std::string ResolveFullPath(const char* path) {
  const std::string full = FullPathOf(path);
  struct stat status;
  if (stat(full.c_str(), &status) != 0) {
    throw Win32Error{Win32CodeFromErrno(errno, full.c_str())};
  }
  return full;
}

SourceFile::SourceFile(const std::string& fullPath)
    : path_(fullPath), index_(new Index{ProfileIndex(ReadSourceText(fullPath))}) {
  profile_ = &index_->profile;
}

SourceFile::SourceFile(const ProfileIndex& index) : profile_(&index) {}

SourceFile::~SourceFile() = default;

std::string SourceFile::GetString(const char* section, const char* key,
                                  const char* defaultText) const {
  return profile_->GetString(section, key, defaultText);
}

int32_t SourceFile::GetInt(const char* section, const char* key, int32_t defaultValue) const {
  return profile_->GetInt(section, key, defaultValue);
}

}  // namespace zet
