// The sections and keys of one profile file, indexed once and looked up the
// way the Windows profile API looks them up. The Linux build reads sources
// with it; the Windows compiler asks the profile API itself, and the lint
// reads with it on both systems.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zet {

// The caller's buffer is 32767 bytes; one is the terminator.
constexpr size_t kProfileValueMax = 32766;

// One line of the file as the reader reads it, for tools that point into the
// file (the lint). Columns are 1-based and count bytes.
struct ProfileLine {
  enum class Kind : uint8_t { Blank, Comment, Header, Key, Other };
  static constexpr uint32_t kNone = UINT32_MAX;

  Kind kind = Kind::Blank;
  uint32_t number = 0;     // CR LF, a lone CR and a lone LF each end one line
  uint32_t offset = 0;     // of its first byte in the text
  std::string_view text;   // without its line end
  std::string_view name;   // Header: the section name; Key: the key; trimmed
  std::string_view value;  // Key: the value before the buffer cuts it, quotes gone
  uint32_t nameColumn = 0;
  uint32_t valueColumn = 0;
  // Indexes into the list of lines. `header`: the header line it stands
  // under, itself for a header (kNone before the first). `first`: the line that counts for this
  // name, the line itself when it counts; kNone for a key that no read can reach (before any
  // header, or under a header whose name came earlier).
  uint32_t header = kNone;
  uint32_t first = kNone;
};

// The index keeps the text and, per distinct section and key, only the offset
// of the line that counts, so that it takes a fraction of the file's size
// beside it however the file is made.
class ProfileIndex {
 public:
  // `text`: the whole file in code page 932. Past 4 GiB nothing is indexed.
  explicit ProfileIndex(std::string text);

  // As GetPrivateProfileStringA with a 32767-byte buffer.
  std::string GetString(const char* section, const char* key, const char* defaultText) const;
  // As GetPrivateProfileIntA.
  int32_t GetInt(const char* section, const char* key, int32_t defaultValue) const;

  // Every line of the file, in order.
  std::vector<ProfileLine> Lines() const;
  // The offset of the line that GetString reads for the section header or
  // the key; false when there is none.
  bool FindHeaderLine(const char* section, uint32_t& offset) const;
  bool FindKeyLine(const char* section, const char* key, uint32_t& offset) const;

 private:
  // A section is named by the offset of its first header line, a key by the
  // offset of its first line in that section.
  struct Table {
    std::vector<uint32_t> slots;  // offset + 1; 0 for a free slot
    void Reserve(size_t entries);
  };

  void IndexLine(uint32_t begin, uint32_t end, uint32_t& section);
  static void Insert(Table& table, uint32_t hash, uint32_t line);
  template <typename Matches>
  bool Probe(const Table& table, uint32_t hash, uint32_t& line, Matches matches) const;
  bool FindSection(std::string_view folded, uint32_t& header) const;
  bool FindKey(uint32_t header, std::string_view folded, uint32_t& line) const;
  uint32_t SectionOf(uint32_t line) const;
  ProfileLine Describe(uint32_t begin, uint32_t end) const;

  std::string text_;
  std::vector<uint32_t> headers_;  // every header line, in file order
  Table sections_;
  Table keys_;
};

// A value that is not empty read as GetPrivateProfileIntA reads it.
int32_t ProfileInteger(const std::string& value);

}  // namespace zet
