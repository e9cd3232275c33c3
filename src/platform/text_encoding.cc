#include "platform/text_encoding.h"

#include <cstdint>
#include <unordered_map>

namespace konwerter::platform {

namespace {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

const std::unordered_map<char32_t, char>& UnicodeToCp1250() {
  static const std::unordered_map<char32_t, char> table = [] {
    std::unordered_map<char32_t, char> map;
    for (int byte = 0x80; byte < 0x100; ++byte) {
      map.emplace(kCp1250ToUnicode[static_cast<std::size_t>(byte)], static_cast<char>(byte));
    }
    return map;
  }();
  return table;
}

// Decodes one UTF-8 sequence at text[at]; returns its length, 0 when malformed.
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& code) {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  std::size_t length = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  return length;
}

}  // namespace

std::string Utf8FromCp1250(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  AppendUtf8FromCp1250(out, text);
  return out;
}

void AppendUtf8FromCp1250(std::string& out, std::string_view text) {
  // ASCII is the same in both: runs of it are appended whole.
  std::size_t run = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<std::uint8_t>(text[at]);
    if (byte < 0x80) continue;
    out.append(text.substr(run, at - run));
    AppendUtf8(out, kCp1250ToUnicode[byte]);
    run = at + 1;
  }
  out.append(text.substr(run));
}

std::string Cp1250FromUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8(text, at, code);
    if (length == 0) {
      out += '?';
      ++at;
      continue;
    }
    at += length;
    if (code < 0x80) {
      out += static_cast<char>(code);
      continue;
    }
    const auto& map = UnicodeToCp1250();
    const auto found = map.find(code);
    out += found == map.end() ? '?' : found->second;
  }
  return out;
}

}  // namespace konwerter::platform
