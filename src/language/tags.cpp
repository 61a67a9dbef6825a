// Reading the language tags that users type: names, file codes, and the short tags of everyday
// use mapped to one language each.

#include <algorithm>
#include <array>
#include <string>

#include "text/hyphenation/language.hpp"

namespace text::hyphenation {
namespace {

struct ShortTag {
  std::string_view tag;
  Language language;
};

// Tags that name no file code, each mapped to the data a writer of that tag most likely wants.
// A language-region tag whose language alone is known needs no entry; see languageFromTag.
constexpr std::array shortTags = {
    ShortTag{"en", Language::English_US},
    ShortTag{"en-au", Language::English_GB},
    ShortTag{"en-nz", Language::English_GB},
    ShortTag{"en-ie", Language::English_GB},
    ShortTag{"en-za", Language::English_GB},
    ShortTag{"en-in", Language::English_GB},
    ShortTag{"de", Language::German_1996},
    ShortTag{"de-de", Language::German_1996},
    ShortTag{"de-ch", Language::German_Swiss},
    ShortTag{"de-li", Language::German_Swiss},
    ShortTag{"el", Language::Greek_Mono},
    ShortTag{"no", Language::Norwegian_Bokmal},
    ShortTag{"sr", Language::Serbian_Cyrillic},
    ShortTag{"sr-latn", Language::Serbocroatian_Latin},
    ShortTag{"sh", Language::Serbocroatian_Latin},
    ShortTag{"bs", Language::Serbocroatian_Latin},
    ShortTag{"mn", Language::Mongolian},
    ShortTag{"zh", Language::Chinese},
    ShortTag{"ku", Language::Kurmanji},
    ShortTag{"am", Language::Ethiopic},
    ShortTag{"ti", Language::Ethiopic},
    ShortTag{"gez", Language::Ethiopic},
};

// Lower case, "_" as "-"; nothing for text that cannot be a tag or a name.
std::optional<std::string> normalisedTag(std::string_view tag) {
  std::string normalised;
  for (char c : tag) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    } else if (c == '_') {
      c = '-';
    } else if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) {
      return std::nullopt;
    }
    normalised += c;
  }
  if (normalised.empty() || normalised.front() == '-' || normalised.back() == '-' ||
      normalised.find("--") != std::string::npos) {
    return std::nullopt;
  }
  return normalised;
}

// A file code or a short tag, already normalised.
std::optional<Language> fromCode(std::string_view tag) {
  for (const Language language : allLanguages()) {
    if (languageAffix(language) == tag) return language;
  }
  for (const ShortTag& entry : shortTags) {
    if (entry.tag == tag) return entry.language;
  }
  return std::nullopt;
}

std::optional<Language> fromName(std::string_view tag) {
  for (const Language language : allLanguages()) {
    std::string name = show(language);
    for (char& c : name) {
      c = c == '_' ? '-' : static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (name == tag) return language;
  }
  return std::nullopt;
}

bool isRegion(std::string_view subtag) {
  const auto all = [&](auto test) { return std::all_of(subtag.begin(), subtag.end(), test); };
  return (subtag.size() == 2 && all([](char c) { return c >= 'a' && c <= 'z'; })) ||
         (subtag.size() == 3 && all([](char c) { return c >= '0' && c <= '9'; }));
}

// The tag without its region subtags; the first subtag is the language and always stays.
std::string withoutRegions(std::string_view tag) {
  std::string kept;
  std::size_t start = 0;
  for (bool first = true; start <= tag.size(); first = false) {
    std::size_t end = std::min(tag.find('-', start), tag.size());
    std::string_view subtag = tag.substr(start, end - start);
    if (first || !isRegion(subtag)) {
      if (!kept.empty()) kept += '-';
      kept += subtag;
    }
    start = end + 1;
  }
  return kept;
}

}  // namespace

std::optional<Language> languageFromTag(std::string_view tag) {
  const std::optional<std::string> normalised = normalisedTag(tag);
  if (!normalised) return std::nullopt;
  if (auto language = fromName(*normalised)) return language;
  if (auto language = fromCode(*normalised)) return language;
  if (auto language = fromCode(withoutRegions(*normalised))) return language;
  for (std::string_view prefix = *normalised;;) {
    const std::size_t dash = prefix.rfind('-');
    if (dash == std::string_view::npos) return std::nullopt;
    prefix = prefix.substr(0, dash);
    if (auto language = fromCode(prefix)) return language;
  }
}

}  // namespace text::hyphenation
