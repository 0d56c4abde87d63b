// Texts for the HTML page: UTF-8 escaped for HTML, and pictures as base64
// for data: URIs.
#pragma once

#include <string>

namespace zetplay {

// & < > " ' as character references.
std::string EscapeHtml(const std::string& utf8);
std::string Base64(const std::string& bytes);

}  // namespace zetplay
