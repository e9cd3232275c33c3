#include "app/report/html_text.h"

#include "platform/dos_path.h"
#include "platform/text_encoding.h"

namespace konwerter::app {

namespace {

// U+2400 + c: the picture of control character c (U+2421 for DEL), as UTF-8.
std::string ControlPicture(unsigned char c) {
  const unsigned code = c == 0x7F ? 0x2421 : 0x2400 + c;
  return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
          static_cast<char>(0x80 | (code & 0x3F))};
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

}  // namespace

std::string HtmlEscape(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size() + utf8.size() / 8);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    switch (c) {
      case '&':
        text += "&amp;";
        continue;
      case '<':
        text += "&lt;";
        continue;
      case '>':
        text += "&gt;";
        continue;
      case '"':
        text += "&quot;";
        continue;
      case '\'':
        text += "&#39;";
        continue;
      case '\t':
      case '\n':
        text += static_cast<char>(c);
        continue;
      case '\r':
        // A page breaks lines at "\n": "\r\n" and a lone "\r" become one.
        if (i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        text += '\n';
        continue;
      default:
        break;
    }
    if (c < 0x20 || c == 0x7F) {
      text += ControlPicture(c);
    } else if (c == 0xC2 && i + 1 < utf8.size() &&
               static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      text += kReplacement;  // a C1 control: bytes cp1250 leaves undefined come out so
      ++i;
    } else {
      text += static_cast<char>(c);
    }
  }
  return text;
}

std::string HtmlText(std::string_view cp1250) {
  return HtmlEscape(platform::Utf8FromCp1250(cp1250));
}

std::string HtmlHostPath(std::string_view program_path) {
  if (program_path.empty()) return {};
  return HtmlText(platform::HostForm(program_path));
}

std::string PathMarkup(std::string_view escaped_path) {
  std::string markup = "<span class=\"path\">";
  for (const char c : escaped_path) {
    markup += c;
    if (c == '/' || c == '\\') markup += "<wbr>";
  }
  return markup + "</span>";
}

std::string HostPathMarkup(std::string_view program_path) {
  return PathMarkup(HtmlHostPath(program_path));
}

std::string HtmlNumber(std::uint64_t value) {
  return std::to_string(value);
}

std::string Element(std::string_view tag, std::string_view content, std::string_view attributes) {
  std::string element;
  element.reserve(tag.size() * 2 + content.size() + attributes.size() + 6);
  element += '<';
  element += tag;
  if (!attributes.empty()) {
    element += ' ';
    element += attributes;
  }
  element += '>';
  element += content;
  element += "</";
  element += tag;
  element += '>';
  return element;
}

std::string Section(std::string_view id, std::string_view heading, std::string_view content) {
  return "<section id=\"" + std::string(id) + "\">" + Element("h2", heading) +
         std::string(content) + "</section>\n";
}

}  // namespace konwerter::app
