// The names a source is read by and its [basis] section as the compiler reads
// them, for the compiler and for the lint, which reports the same failures.
#pragma once

#include <string>

namespace zet {

class SourceSection;

constexpr char kBasisSection[] = "basis";
constexpr char kButtonsSection[] = "BUTTONS";
// The keys of [basis] itself, besides the settings every kind inherits.
constexpr char kVersionKey[] = "version";
constexpr char kOutputKey[] = "output";
constexpr char kCommentKey[] = "comment";
constexpr char kUserNameKey[] = "username";
constexpr const char* kBasisKeys[] = {kVersionKey, kOutputKey, kCommentKey, kUserNameKey};

// What [basis] holds for the header of the compiled file. A failure is the
// compiler's complete message, ending in "\r\n"; empty when the key reads
// right.
struct BasisReading {
  std::string output;
  std::string comment;
  std::string userName;
  std::string versionFailure;
  std::string outputFailure;
};
BasisReading ReadBasis(const SourceSection& basis);

}  // namespace zet
