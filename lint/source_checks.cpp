#include "lint/source_checks.h"

#include <cstdint>
#include <map>

#include "compiler/output/compiled_file.h"
#include "compiler/output/source_basis.h"
#include "compiler/source/message_kind.h"
#include "lint/nearest_name.h"
#include "platform/shift_jis.h"

namespace zetlint {
namespace {

using zet::ProfileLine;

constexpr size_t kLongestShown = 64;
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

enum class SectionRole { Unknown, Basis, Buttons, Kind };

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (fold(a[i]) != fold(b[i])) {
      return false;
    }
  }
  return true;
}

std::vector<std::string> SectionNames() {
  std::vector<std::string> names = {zet::kBasisSection, zet::kButtonsSection};
  names.insert(names.end(), zet::kMessageKindNames,
               zet::kMessageKindNames + zet::kMessageKindCount);
  return names;
}

// The section's own spelling for messages, with its role.
SectionRole RoleOf(std::string_view name, std::string& canonical) {
  const std::vector<std::string> names = SectionNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (SameName(name, names[i])) {
      canonical = names[i];
      return i == 0 ? SectionRole::Basis : i == 1 ? SectionRole::Buttons : SectionRole::Kind;
    }
  }
  return SectionRole::Unknown;
}

// Keys that some read asks for, besides FRAMESn.
std::vector<std::string> KnownKeys(SectionRole role) {
  if (role == SectionRole::Buttons) {
    return std::vector<std::string>(zet::kButtonKeys, zet::kButtonKeys + zet::kButtonCount);
  }
  std::vector<std::string> keys(std::begin(zet::kSettingKeys), std::end(zet::kSettingKeys));
  if (role == SectionRole::Basis) {
    keys.insert(keys.begin(), std::begin(zet::kBasisKeys), std::end(zet::kBasisKeys));
  }
  return keys;
}

// FRAMES followed by the number as "%d" writes it; false for any other key.
bool FramesNumber(std::string_view key, uint64_t& number) {
  const size_t stem = sizeof zet::kFramesKeyStem - 1;
  if (key.size() <= stem || !SameName(key.substr(0, stem), zet::kFramesKeyStem) ||
      key[stem] == '0') {
    return false;
  }
  number = 0;
  for (const char c : key.substr(stem)) {
    if (c < '0' || c > '9') {
      return false;
    }
    number = number > UINT32_MAX ? number : number * 10 + static_cast<uint64_t>(c - '0');
  }
  return true;
}

bool ReadsEmpty(const ProfileLine& line) {
  return line.value.empty() || line.value[0] == '\0';
}

class LineChecks {
 public:
  LineChecks(const SourceView& view, std::vector<Diagnostic>& out)
      : view_(view), lines_(view.Lines()), out_(out) {}

  void Run() {
    for (uint32_t i = 0; i < lines_.size(); ++i) {
      const ProfileLine& line = lines_[i];
      if (line.kind == ProfileLine::Kind::Header) {
        CheckHeader(line, i);
      } else if (line.kind == ProfileLine::Kind::Key || line.kind == ProfileLine::Kind::Other) {
        CheckLine(line, i);
      }
    }
  }

 private:
  void Warn(Check check, Place place, std::string tag, std::string text) {
    out_.push_back({place, Severity::Warning, check, std::move(tag), std::move(text), {}});
  }

  void CheckHeader(const ProfileLine& line, uint32_t index) {
    const Place place = SourceView::At(line, line.nameColumn);
    if (line.first != index) {
      Warn(Check::Duplicate, place, "",
           "セクション [" + Shown(line.name) + "] は " + std::to_string(lines_[line.first].number) +
               " 行目にもあります。最初のものだけが読まれ、このセクションは読まれません。");
      return;
    }
    std::string canonical;
    if (RoleOf(line.name, canonical) == SectionRole::Unknown) {
      const std::string hint = NearestName(line.name, SectionNames());
      Warn(Check::UnknownSection, place, "",
           "セクション [" + Shown(line.name) + "] はどこからも読まれません" +
               (hint.empty() ? "" : " ([" + hint + "] のことですか?)") + "。");
    }
  }

  void CheckLine(const ProfileLine& line, uint32_t index) {
    if (line.header == ProfileLine::kNone) {
      CheckBeforeSections(line);
      return;
    }
    const ProfileLine& header = lines_[line.header];
    std::string section;
    const SectionRole role = RoleOf(header.name, section);
    if (line.kind != ProfileLine::Kind::Key || header.first != line.header ||
        role == SectionRole::Unknown) {
      return;  // not a key, or in a section nobody reads
    }
    const std::vector<std::string> known = KnownKeys(role);
    uint64_t frames = 0;
    const bool isFrames = role != SectionRole::Buttons && FramesNumber(line.name, frames);
    bool isKnown = isFrames;
    for (const std::string& key : known) {
      isKnown = isKnown || SameName(line.name, key);
    }
    const Place place = SourceView::At(line, line.nameColumn);
    if (line.first != index) {
      if (isKnown) {
        Warn(Check::Duplicate, place, section,
             "キー " + Shown(line.name) + " は " + std::to_string(lines_[line.first].number) +
                 " 行目にもあります。最初のものだけが読まれます。");
      }
    } else if (!isKnown) {
      UnknownKey(line, place, section, role);
    } else if (isFrames && frames > FramesStop(section)) {
      FramesGap(line, place, section);
    } else if (ReadsEmpty(line)) {
      Warn(Check::EmptyValue, SourceView::At(line, line.valueColumn), section,
           Shown(line.name) + " の値が空です。空の値は指定がないのと同じに読まれます。");
    }
  }

  void UnknownKey(const ProfileLine& line, Place place, const std::string& section,
                  SectionRole role) {
    std::vector<std::string> candidates = KnownKeys(role);
    if (role != SectionRole::Buttons) {
      // FRAMESn with the digits the key ends in, else FRAMES1.
      const size_t digits = line.name.find_last_not_of("0123456789") + 1;
      const std::string number(line.name.substr(digits));
      candidates.push_back(zet::kFramesKeyStem +
                           (number.empty() || number[0] == '0' ? "1" : number));
    }
    const std::string hint = NearestName(line.name, candidates);
    Warn(Check::UnknownKey, place, section,
         "キー " + Shown(line.name) + " はどこからも読まれません" +
             (hint.empty() ? "" : " (" + hint + " のことですか?)") + "。");
  }

  // The first n whose FRAMESn reads empty: FRAMES keys from there on are
  // never read.
  uint64_t FramesStop(const std::string& section) {
    const auto known = stops_.find(section);
    if (known != stops_.end()) {
      return known->second;
    }
    uint64_t n = 1;
    for (;; ++n) {
      const ProfileLine* line =
          view_.KeyLine(section.c_str(), zet::FramesKey(static_cast<int>(n)).c_str());
      if (line == nullptr || ReadsEmpty(*line)) {
        break;
      }
    }
    return stops_[section] = n;
  }

  void FramesGap(const ProfileLine& line, Place place, const std::string& section) {
    const uint64_t stop = FramesStop(section);
    const std::string missing = zet::FramesKey(static_cast<int>(stop));
    const bool empty = view_.KeyLine(section.c_str(), missing.c_str()) != nullptr;
    Warn(Check::FramesGap, place, section,
         missing + (empty ? " が空なので" : " がないので") + "、" + Shown(line.name) +
             " は読まれません。");
  }

  void CheckBeforeSections(const ProfileLine& line) {
    if (reportedBeforeSections_) {
      return;
    }
    reportedBeforeSections_ = true;
    const bool bom = line.number == 1 && line.text.substr(0, 3) == kUtf8Bom &&
                     line.text.find('[') != std::string_view::npos;
    Warn(Check::NoSection, SourceView::At(line, 1), "",
         bom ? "行頭に UTF-8 の BOM があるため、この行はセクションの見出しになりません。"
               "BOM なしで保存してください。"
             : "最初のセクションより前の行は、どこからも読まれません。");
  }

  const SourceView& view_;
  const std::vector<ProfileLine>& lines_;
  std::vector<Diagnostic>& out_;
  std::map<std::string, uint64_t> stops_;
  bool reportedBeforeSections_ = false;
};

}  // namespace

std::string Shown(std::string_view name) {
  std::string shown;
  for (size_t pos = 0, size = 1; pos < name.size(); pos += size) {
    size = zet::CharSize(name, pos);
    // A control byte is never a trail byte: the lead byte stands alone.
    size = size == 2 && static_cast<unsigned char>(name[pos + 1]) < 0x20 ? 1 : size;
    if (shown.size() + size > kLongestShown) {
      return shown + "...";
    }
    const auto byte = static_cast<unsigned char>(name[pos]);
    shown += size == 1 && byte < 0x20 ? std::string("?") : std::string(name.substr(pos, size));
  }
  return shown;
}

void CheckSourceLines(const SourceView& view, std::vector<Diagnostic>& out) {
  LineChecks(view, out).Run();
}

}  // namespace zetlint
