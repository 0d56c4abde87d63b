// The Linux build: paths resolved like GetFullPathNameA and GetFileAttributesA,
// and the source read and indexed once by our own profile reader.
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "compiler/common/shift_jis.h"
#include "compiler/common/system_error.h"
#include "compiler/common/win32_error.h"
#include "compiler/source/profile_index.h"
#include "compiler/source/source_file.h"

namespace zet {

struct SourceFile::Index {
  ProfileIndex profile;
};

namespace {

constexpr uint32_t kErrorInvalidName = 123;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) {
      close(fd_);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int Get() const { return fd_; }

 private:
  int fd_;
};

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Valid()) {
      iconv_close(cd_);
    }
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Appends the conversion of one whole character; false when it has none.
  bool Append(const char* character, size_t size, std::string& out) const {
    char converted[8];
    char* in = const_cast<char*>(character);
    char* next = converted;
    size_t inLeft = size;
    size_t outLeft = sizeof converted;
    if (iconv(cd_, &in, &inLeft, &next, &outLeft) == static_cast<size_t>(-1)) {
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      return false;
    }
    out.append(converted, static_cast<size_t>(next - converted));
    return true;
  }

 private:
  iconv_t cd_;
};

// Windows reads a file that starts with FF FE as UTF-16LE and hands its text
// on in the ANSI code page; what code page 932 lacks becomes "?".
std::string Cp932FromUtf16(const std::string& bytes) {
  const Converter converter("CP932", "UTF-16LE");
  std::string text;
  text.reserve(bytes.size() / 2);
  for (size_t pos = 2; pos + 1 < bytes.size(); pos += 2) {
    const unsigned unit =
        static_cast<unsigned char>(bytes[pos]) | static_cast<unsigned char>(bytes[pos + 1]) << 8;
    if (unit < 0x80) {
      text += static_cast<char>(unit);
      continue;
    }
    size_t size = 2;
    const bool pair = unit >= 0xD800 && unit < 0xDC00 && pos + 3 < bytes.size() &&
                      (static_cast<unsigned char>(bytes[pos + 3]) & 0xFC) == 0xDC;
    if (pair) {
      size = 4;
    }
    if (!converter.Valid() || !converter.Append(&bytes[pos], size, text)) {
      text += '?';
    }
    pos += size - 2;
  }
  return text;
}

// The bytes of a readable plain file; anything else reads as an empty file.
std::string ReadWholeFile(const std::string& path) {
  const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
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

std::string SourceText(const std::string& path) {
  std::string bytes = ReadWholeFile(path);
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    return Cp932FromUtf16(bytes);
  }
  return bytes;
}

// Sources written on Windows separate path parts with "\"; a trail byte 0x5C
// of a double-byte character is no separator.
std::string WithSlashes(const char* path) {
  std::string converted(path);
  for (size_t pos = 0; pos < converted.size(); ++pos) {
    if (IsLeadByte(static_cast<unsigned char>(converted[pos])) && pos + 1 < converted.size()) {
      ++pos;
    } else if (converted[pos] == '\\') {
      converted[pos] = '/';
    }
  }
  return converted;
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

std::string ResolveFullPath(const char* path) {
  std::string full = WithSlashes(path);
  if (full.empty()) {
    // GetFullPathNameA fails on it, without a code; Windows' word for it.
    throw Win32Error{kErrorInvalidName};
  }
  if (full[0] != '/') {
    full = CurrentFolder() + '/' + full;
  }
  full = Normalized(full);
  struct stat status;
  if (stat(full.c_str(), &status) != 0) {
    throw Win32Error{Win32CodeFromErrno(errno, full.c_str())};
  }
  return full;
}

SourceFile::SourceFile(const std::string& fullPath)
    : path_(fullPath), index_(new Index{ProfileIndex(SourceText(WithSlashes(fullPath.c_str())))}) {}

SourceFile::~SourceFile() = default;

std::string SourceFile::GetString(const char* section, const char* key,
                                  const char* defaultText) const {
  return index_->profile.GetString(section, key, defaultText);
}

int32_t SourceFile::GetInt(const char* section, const char* key, int32_t defaultValue) const {
  return index_->profile.GetInt(section, key, defaultValue);
}

}  // namespace zet
