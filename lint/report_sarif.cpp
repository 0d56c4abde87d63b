#include <cstdio>

#include "lint/lint_platform.h"
#include "lint/report.h"
#include "version.h"

namespace zetlint {
namespace {

std::string Json(const std::string& utf8) {
  std::string quoted = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

// A relative path stays relative; an absolute one becomes a file URI.
std::string Uri(const std::string& path) {
  const std::string utf8 = Utf8Path(path);
  std::string uri;
  if (!utf8.empty() && utf8[0] == '/') {
    uri = "file://";
  } else if (utf8.size() >= 2 && utf8[1] == ':') {
    uri = "file:///" + utf8.substr(0, 2);
  }
  for (size_t i = uri.empty() || utf8[0] == '/' ? 0 : 2; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (IsUnreserved(c)) {
      uri += static_cast<char>(c);
    } else {
      char escape[4];
      snprintf(escape, sizeof escape, "%%%02X", c);
      uri += escape;
    }
  }
  return uri;
}

const char* Level(Severity severity) {
  return severity == Severity::Error ? "error" : severity == Severity::Warning ? "warning" : "note";
}

std::string RuleId(Check check) {
  return check == Check::Compile ? "compile" : CheckName(check);
}

std::string Rules() {
  std::string rules;
  for (int i = 0; i < kCheckCount; ++i) {
    const Check check = static_cast<Check>(i);
    rules += std::string(i == 0 ? "" : ",") + "\n          {\"id\": " + Json(RuleId(check)) +
             ", \"shortDescription\": {\"text\": " + Json(Utf8Text(CheckSummary(check))) +
             "}, \"defaultConfiguration\": {\"level\": \"" + Level(CheckSeverity(check)) + "\"}}";
  }
  return rules;
}

std::string Location(const std::string& path, const Place& place) {
  std::string location =
      "{\"physicalLocation\": {\"artifactLocation\": {\"uri\": " + Json(Uri(path)) + "}";
  if (place.line != 0) {
    location += ", \"region\": {\"startLine\": " + std::to_string(place.line) +
                ", \"startColumn\": " + std::to_string(place.character) + "}";
  }
  return location + "}}";
}

std::string Result(const std::string& path, const ShownDiagnostic& shown) {
  const Diagnostic& diagnostic = *shown.diagnostic;
  const std::string tag = diagnostic.tag.empty() ? "" : "[" + diagnostic.tag + "] ";
  std::string result = "{\"ruleId\": " + Json(RuleId(diagnostic.check)) +
                       ", \"ruleIndex\": " + std::to_string(static_cast<int>(diagnostic.check)) +
                       ", \"level\": \"" + Level(shown.severity) +
                       "\", \"message\": {\"text\": " + Json(Utf8Text(tag + diagnostic.text)) +
                       "}, \"locations\": [" + Location(path, diagnostic.place) + "]";
  if (!diagnostic.notes.empty()) {
    result += ", \"relatedLocations\": [";
    for (size_t i = 0; i < diagnostic.notes.size(); ++i) {
      std::string related = Location(path, diagnostic.place);
      related.insert(1, "\"id\": " + std::to_string(i) + ", \"message\": {\"text\": " +
                            Json(Utf8Text(diagnostic.notes[i])) + "}, ");
      result += (i == 0 ? "" : ", ") + related;
    }
    result += "]";
  }
  return result + "}";
}

}  // namespace

std::string SarifReport(const std::vector<SourceReport>& reports, const LintOptions& options) {
  std::string results;
  for (const SourceReport& report : reports) {
    for (const ShownDiagnostic& shown : ShownDiagnostics(report, options)) {
      results +=
          std::string(results.empty() ? "" : ",") + "\n        " + Result(report.path, shown);
    }
  }
  return "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n"
         "  \"version\": \"2.1.0\",\n  \"runs\": [\n    {\n"
         "      \"tool\": {\"driver\": {\"name\": \"zetlint\", \"version\": \"" ZETCOMP_VERSION
         "\", \"rules\": [" +
         Rules() + "]}},\n      \"columnKind\": \"unicodeCodePoints\",\n      \"results\": [" +
         results + "\n      ]\n    }\n  ]\n}\n";
}

}  // namespace zetlint
