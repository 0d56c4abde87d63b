// Texts for the HTML page: UTF-8 from the file's UTF-16, escaped for HTML,
// and pictures as base64 for data: URIs.
#pragma once

#include <string>

namespace zetplay {

// A lone surrogate becomes U+FFFD.
std::string Utf8Of(const std::u16string& text);
// & < > " ' as character references.
std::string EscapeHtml(const std::string& utf8);
std::string Base64(const std::string& bytes);

}  // namespace zetplay
