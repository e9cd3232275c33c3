#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace konwerter::app {

// Text for an HTML page: the characters the page's markup uses (& < > " ') become
// references, so that any text stays text, inside an element or an attribute value.
// Control characters a table may hold become their visible pictures (␀, ␁, …) or U+FFFD.
// REQUIRES: `utf8` is UTF-8.
std::string HtmlEscape(std::string_view utf8);

// The program's text (cp1250) for a page: converted to UTF-8 and escaped.
std::string HtmlText(std::string_view cp1250);

// A program path as the host names it, for a page; empty when the path is.
std::string HtmlHostPath(std::string_view program_path);

// A path for the page's text (escaped already) in the page's path style, with places to
// break a long path after its separators.
std::string PathMarkup(std::string_view escaped_path);

// A program path as the host names it, as PathMarkup shows it.
std::string HostPathMarkup(std::string_view program_path);

// A number as the page writes it (as the summary does: digits only, so that both agree
// character for character).
std::string HtmlNumber(std::uint64_t value);

// `<tag attributes>content</tag>`; `attributes` (markup, escaped already) may be empty.
std::string Element(std::string_view tag, std::string_view content,
                    std::string_view attributes = {});

// A section of the report: `<section id=…><h2>heading</h2>content</section>`.
// REQUIRES: `id` and `heading` are escaped already.
std::string Section(std::string_view id, std::string_view heading, std::string_view content);

}  // namespace konwerter::app
