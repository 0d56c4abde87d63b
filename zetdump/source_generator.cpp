#include "zetdump/source_generator.h"

#include <algorithm>
#include <set>

#include "platform/little_endian.h"
#include "reader/test_content.h"

namespace zetdump {

using zetreader::BitmapContent;
using zetreader::Code;
using zetreader::FrameOp;
using zetreader::MakeBitmap;
using zetreader::PutU32;

namespace {

const char* const kSections[5] = {"NOICON", "ASTERISK", "EXCLAMATION", "STOP", "QUESTION"};
const char* const kCaptions[10] = {"OK",  "CANCEL", "ABORT", "RETRY",    "IGNORE",
                                   "YES", "NO",     "CLOSE", "CONTINUE", "HELP"};
// Texts as a source writes them, quotes included where the value needs them.
const char* const kTexts[] = {
    "OK",
    "了解",
    "\"  前後に空白  \"",
    "'quoted'",
    "\"'x'\"",
    "a\"b",
    "表示",
    "ﾊﾝｶｸ",
    "\"\t\"",
    "\x81\x40全角の空白\x81\x40",
    "=;[]#",
    "\"\"\"\"",
    "～①",
    "A\\B",
    "\"\"ヘルプ\"\"",
};

int Pick(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

bool Chance(std::mt19937& random, int percent) {
  return Pick(random, 1, 100) <= percent;
}

// One frames program and its code, built statement by statement.
class ProgramBuilder {
 public:
  ProgramBuilder(std::mt19937& random, uint32_t frameCount)
      : random_(random), frameCount_(frameCount) {}

  void Build(int statements) {
    MakeLabels();
    for (int i = 0; i < statements; ++i) {
      DefineLabelsHere();
      Statement();
    }
    // The rest of the labels stand at the end, before an empty statement.
    if (nextLabel_ < labels_.size()) {
      DefineLabelsHere(true);
      Append("to;");
    }
    Resolve();
  }

  std::vector<std::string> Lines() const { return lines_; }
  const std::vector<uint8_t>& Code() const { return code_; }

 private:
  struct Label {
    std::string name;
    uint16_t offset = 0;
    std::vector<size_t> uses;
  };

  void MakeLabels() {
    const int count = Chance(random_, 20) ? 0 : Pick(random_, 1, 6);
    std::set<std::string> names;
    const char* const stems[] = {"loop", "Loop", "a", "A", "blink_2", "x9", "goto1", "Repeat"};
    while (static_cast<int>(names.size()) < count) {
      std::string name = stems[Pick(random_, 0, 7)];
      if (Chance(random_, 50)) {
        name += std::to_string(Pick(random_, 0, 99));
      }
      names.insert(name);
    }
    for (const std::string& name : names) {
      labels_.push_back(Label{name, 0, {}});
    }
    std::shuffle(labels_.begin(), labels_.end(), random_);
  }

  void DefineLabelsHere(bool all = false) {
    while (nextLabel_ < labels_.size() && (all || Chance(random_, 25))) {
      Label& label = labels_[nextLabel_++];
      label.offset = static_cast<uint16_t>(code_.size());
      Append(label.name + (Chance(random_, 50) ? ":" : " :"));
    }
  }

  uint16_t Frame() { return static_cast<uint16_t>(Pick(random_, 0, frameCount_ - 1)); }

  void Statement() {
    const int kind = labels_.empty() ? Pick(random_, 0, 3) : Pick(random_, 0, 5);
    switch (kind) {
      case 0: {
        const uint16_t frame = Frame();
        Append(std::to_string(frame) + ";");
        Opcode(FrameOp::Frame);
        zet::AppendLe16(code_, frame);
        break;
      }
      case 1: {
        const uint16_t frame = Frame();
        const uint16_t count =
            static_cast<uint16_t>(Chance(random_, 20) ? 65535 : Pick(random_, 1, 9));
        Append("repeat " + std::to_string(frame) + " for " + std::to_string(count) + ";");
        Opcode(FrameOp::Repeat);
        zet::AppendLe16(code_, frame);
        zet::AppendLe16(code_, count);
        break;
      }
      case 2: {
        const uint16_t a = Frame();
        const uint16_t b = Frame();
        Append("for " + std::to_string(a) + "\tto " + std::to_string(b) + " ;");
        Opcode(FrameOp::For);
        zet::AppendLe16(code_, a);
        zet::AppendLe16(code_, b);
        break;
      }
      case 3: {
        const char* const empty[] = {"to;", "of;", ";;", ":;"};
        Append(empty[Pick(random_, 0, 3)]);
        break;
      }
      case 4:
        Append("goto " + Use(FrameOp::Goto) + ";");
        Opcode(FrameOp::Goto);
        zet::AppendLe16(code_, 0);
        break;
      default: {
        const int q = Pick(random_, 1, 255);
        const int p = Pick(random_, 1, q);
        Append("prob " + std::to_string(p) + " of " + std::to_string(q) + " goto " +
               Use(FrameOp::Prob) + ";");
        Opcode(FrameOp::Prob);
        zet::AppendLe16(code_, static_cast<uint16_t>(p));
        zet::AppendLe16(code_, static_cast<uint16_t>(q));
        zet::AppendLe16(code_, 0);
      }
    }
  }

  void Opcode(FrameOp op) { code_.push_back(static_cast<uint8_t>(op)); }

  // A label for the jump operand of the `op` that comes next.
  std::string Use(FrameOp op) {
    Label& label = labels_[static_cast<size_t>(Pick(random_, 0, labels_.size() - 1))];
    label.uses.push_back(code_.size() + zetreader::OperandOffset(zetreader::JumpOperand(op)));
    return label.name;
  }

  void Resolve() {
    for (const Label& label : labels_) {
      for (size_t use : label.uses) {
        zet::PutLe16(code_.data() + use, label.offset);
      }
    }
  }

  // Pieces go into lines; a new line (the next FRAMES key) now and then.
  void Append(const std::string& piece) {
    if (lines_.empty() || (Chance(random_, 10) && !lines_.back().empty())) {
      lines_.emplace_back();
    }
    const char* const blanks[] = {" ", "  ", "\t"};
    lines_.back() += (lines_.back().empty() ? "" : blanks[Pick(random_, 0, 2)]) + piece;
  }

  std::mt19937& random_;
  uint32_t frameCount_;
  std::vector<Label> labels_;
  size_t nextLabel_ = 0;
  std::vector<std::string> lines_;
  std::vector<uint8_t> code_;
};

std::vector<uint8_t> BmpOfContent(const BitmapContent& bitmap) {
  const uint32_t bitsAt = static_cast<uint32_t>(14 + bitmap.info.size());
  std::vector<uint8_t> file(14, 0);
  file[0] = 'B';
  file[1] = 'M';
  PutU32(file, 2, bitsAt + static_cast<uint32_t>(bitmap.pixels.size()));
  PutU32(file, 10, bitsAt);
  file.insert(file.end(), bitmap.info.begin(), bitmap.info.end());
  file.insert(file.end(), bitmap.pixels.begin(), bitmap.pixels.end());
  return file;
}

struct Strip {
  std::string name;
  uint32_t height;
};

// Settings as the compiler resolves them: basis, then the kind's section.
struct KindPlan {
  int strip = 0;
  int32_t frameHeight = 0;  // 0: the whole strip
  bool ownProgram = false;
};

std::string Key(std::mt19937& random, const char* key) {
  std::string name = key;
  if (Chance(random, 15)) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  }
  return name;
}

void AddText(std::mt19937& random, std::string& section, const char* key, int percent) {
  if (Chance(random, percent)) {
    section += Key(random, key) + "=" + kTexts[Pick(random, 0, std::size(kTexts) - 1)] + "\r\n";
  }
}

void AddProgram(std::string& section, const std::vector<std::string>& lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    section += "FRAMES" + std::to_string(i + 1) + "=" + lines[i] + "\r\n";
  }
}

// The largest programs: many prob statements, over several FRAMES keys.
int StatementCount(std::mt19937& random) {
  if (Chance(random, 3)) {
    return Pick(random, 1500, 2300);
  }
  return Chance(random, 10) ? 0 : Pick(random, 1, 30);
}

}  // namespace

GeneratedSource GenerateSource(std::mt19937& random) {
  GeneratedSource out;
  std::vector<Strip> strips;
  const int stripCount = Pick(random, 1, 3);
  const uint16_t bitCounts[] = {1, 4, 8, 24, 32};
  for (int i = 0; i < stripCount; ++i) {
    const uint16_t bits = bitCounts[Pick(random, 0, 4)];
    const uint32_t clrUsed =
        bits <= 8 && Chance(random, 30) ? static_cast<uint32_t>(Pick(random, 1, 3)) : 0;
    const uint32_t height = static_cast<uint32_t>(Pick(random, 1, 120));
    const std::string name = "strip" + std::to_string(i) + ".bmp";
    const int32_t signedHeight =
        Chance(random, 30) ? -static_cast<int32_t>(height) : static_cast<int32_t>(height);
    out.bitmaps.emplace_back(
        name, BmpOfContent(MakeBitmap(Pick(random, 1, 40), signedHeight, bits, clrUsed)));
    strips.push_back(Strip{name, height});
  }

  KindPlan basis;
  basis.strip = Pick(random, 0, stripCount - 1);
  basis.frameHeight =
      Chance(random, 50) ? 0 : Pick(random, 0, static_cast<int>(strips[basis.strip].height));
  std::string source = "; generated\r\n[basis]\r\nversion=11\r\noutput=out.ztr\r\n";
  source += "BITMAP=" + strips[basis.strip].name + "\r\n";
  source += "FRAMEHEIGHT=" + std::to_string(basis.frameHeight) + "\r\n";
  source += "FRAMETIME=" + std::to_string(static_cast<int32_t>(random())) + "\r\n";
  AddText(random, source, "comment", 60);
  AddText(random, source, "username", 60);
  AddText(random, source, "SUFFIX", 30);
  AddText(random, source, "MESSAGE", 30);
  // A basis program names frame 0 only, so that every kind can inherit it.
  std::vector<uint8_t> basisCode = {0, 0, 0};
  if (Chance(random, 50)) {
    ProgramBuilder program(random, 1);
    program.Build(Pick(random, 0, 5));
    basisCode = program.Code();
    if (program.Lines().empty() || program.Lines()[0].empty()) {
      basisCode = {0, 0, 0};
    } else {
      AddProgram(source, program.Lines());
    }
  }
  source += "\r\n[BUTTONS]\r\n";
  for (const char* caption : kCaptions) {
    AddText(random, source, caption, 50);
  }

  for (int kind = 0; kind < 5; ++kind) {
    KindPlan plan = basis;
    std::string section = "\r\n[" + std::string(kSections[kind]) + "]\r\n";
    if (Chance(random, 50)) {
      plan.strip = Pick(random, 0, stripCount - 1);
      // Another spelling of one file is another bitmap to the compiler.
      const std::string prefix = Chance(random, 20) ? "./" : "";
      section += Key(random, "BITMAP") + "=" + prefix + strips[plan.strip].name + "\r\n";
    }
    const uint32_t stripHeight = strips[plan.strip].height;
    if (Chance(random, 60) || static_cast<uint32_t>(plan.frameHeight) > stripHeight) {
      plan.frameHeight = Pick(random, 0, static_cast<int>(stripHeight));
      section += Key(random, "FRAMEHEIGHT") + "=" + std::to_string(plan.frameHeight) + "\r\n";
    }
    if (Chance(random, 50)) {
      section += "FRAMETIME=" + std::to_string(static_cast<int32_t>(random())) + "\r\n";
    }
    AddText(random, section, "SUFFIX", 40);
    AddText(random, section, "MESSAGE", 40);
    const uint32_t frameHeight =
        plan.frameHeight == 0 ? stripHeight : static_cast<uint32_t>(plan.frameHeight);
    out.code[kind] = basisCode;
    if (Chance(random, 80)) {
      ProgramBuilder program(random, stripHeight / frameHeight);
      program.Build(StatementCount(random));
      if (!program.Lines().empty() && !program.Lines()[0].empty()) {
        AddProgram(section, program.Lines());
        out.code[kind] = program.Code();
      }
    }
    source += section;
  }
  out.source = source;
  return out;
}

}  // namespace zetdump
