// Hyphenating running text in one call.

#include "running_text/rules.hpp"
#include "running_text/scan.hpp"
#include "text/hyphenation/text.hpp"

namespace text::hyphenation {
std::string hyphenateText(const Hyphenator& hyphenator, std::string_view text,
                          const TextOptions& options) {
  const detail::TextRules rules(hyphenator, options);
  detail::TextScratch scratch;
  const detail::Utf8Source source(rules, text);
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  std::size_t copied = 0;  // text[0, copied) is in `out`
  detail::TextScanner<detail::Utf8Source>(rules, source, scratch).run([&](std::size_t offset) {
    out.append(text.substr(copied, offset - copied));
    out.append(options.separator);
    copied = offset;
  });
  out.append(text.substr(copied));
  return out;
}

std::string hyphenateText(const Hyphenator& hyphenator, std::string_view text,
                          std::string_view separator) {
  TextOptions options;
  options.separator = separator;
  return hyphenateText(hyphenator, text, options);
}

}  // namespace text::hyphenation
