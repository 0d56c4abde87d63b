#include "player/html_page.h"

#include "platform/unicode.h"
#include "player/web_text.h"
#include "reader/format.h"

namespace zetplay {

using zetreader::Format;

namespace {

// The page's own words are UTF-16 literals: narrow ones are Shift-JIS in
// the g++ builds.
std::string Text(const std::u16string& text) {
  return EscapeHtml(zet::Utf8FromUtf16(text));
}

constexpr char kStyle[] =
    "body{font-family:'IPAGothic','MS UI Gothic',sans-serif;background:#3a6ea5;margin:16px;"
    "color:#000}"
    "header{color:#fff;margin-bottom:12px}header p{margin:2px 0}"
    ".boxes{display:flex;flex-wrap:wrap;gap:16px;align-items:flex-start}"
    ".box{background:#d4d0c8;border:2px outset #fff;width:280px;font-size:13px}"
    ".title{background:linear-gradient(90deg,#0a246a,#a6caf0);color:#fff;font-weight:bold;"
    "padding:3px 6px}"
    ".body{display:flex;gap:12px;padding:12px;align-items:flex-start}"
    ".anim{image-rendering:pixelated;flex:none}"
    ".message{margin:0;white-space:pre-wrap}.suffix{margin:4px 0 0;color:#333;"
    "white-space:pre-wrap}"
    ".buttons{display:flex;flex-wrap:wrap;gap:4px;justify-content:center;padding:0 8px 8px}"
    ".buttons button{font:inherit;min-width:64px}"
    ".run{margin:0;padding:4px 8px;border-top:1px solid #999;font-size:11px;color:#333}";

constexpr char kScript[] =
    "addEventListener('load',function(){var images=document.images,loaded=0;"
    "for(var i=0;i<images.length;++i){if(images[i].complete&&images[i].naturalWidth>0)++loaded;}"
    "document.body.setAttribute('data-result','boxes='+document.querySelectorAll('.box').length+"
    "' images='+loaded+'/'+images.length);});";

std::u16string EndingWords(const PlayedKind& play) {
  switch (play.run.ending) {
    case Ending::Ends:
      return u"終わって最後のフレームのまま";
    case Ending::Cycles:
      return u"くり返し";
    case Ending::Cut:
      return u"打ち切り (--max-ms)";
    case Ending::Still:
      return u"静止画 (フレームなし)";
  }
  return u"";
}

std::string Buttons(const zetreader::CompiledFile& file) {
  std::string buttons = "<div class=\"buttons\">";
  for (int i = 0; i < zetreader::kCaptionCount; ++i) {
    if (file.captions[i].offset != 0) {
      buttons += Format("<button type=\"button\" title=\"%s\">%s</button>",
                        zetreader::kCaptionKeys[i], Text(file.captions[i].text).c_str());
    }
  }
  return buttons + "</div>";
}

std::string Box(const zetreader::KindRecord& record, const PlayedKind& play,
                const std::string& apng, const std::string& buttons) {
  const char* name = zetreader::kKindNames[play.kind];
  std::string box =
      Format("<section class=\"box\" data-kind=\"%s\"><div class=\"title\">%s</div>", name, name);
  box += Format(
      "<div class=\"body\"><img class=\"anim\" alt=\"%s\" width=\"%d\" height=\"%d\" "
      "src=\"data:image/png;base64,",
      name, play.picture->width, play.frameHeight);
  box += Base64(apng) + "\"><div>";
  box += "<p class=\"message\">" + Text(record.message.text) + "</p>";
  box += "<p class=\"suffix\">" + Text(record.suffix.text) + "</p></div></div>" + buttons;
  box += Format("<p class=\"run\">%lld ms, ", static_cast<long long>(play.animation.Length()));
  return box + Text(EndingWords(play)) + "</p></section>";
}

}  // namespace

std::string HtmlPage(const zetreader::CompiledFile& file,
                     const PlayedKind (&plays)[zetreader::kKindCount],
                     const std::string (&apngs)[zetreader::kKindCount]) {
  std::string page = "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"utf-8\">";
  page += "<title>" + Text(u"Zetrova のメッセージボックス") + "</title>";
  page += std::string("<style>") + kStyle + "</style></head>\n<body data-result=\"pending\">";
  page += "<header><p class=\"comment\">" + Text(u"コメント: ") + Text(file.comment.text) + "</p>";
  page += "<p class=\"user\">" + Text(u"ユーザー名: ") + Text(file.userName.text) +
          "</p></header>\n<main class=\"boxes\">\n";
  const std::string buttons = Buttons(file);
  for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
    page += Box(file.kinds[kind], plays[kind], apngs[kind], buttons) + "\n";
  }
  page += std::string("</main>\n<script>") + kScript + "</script></body></html>\n";
  return page;
}

}  // namespace zetplay
