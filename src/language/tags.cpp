// Reading the language tags that users type: names, file codes, and the short tags of everyday
// use mapped to one language each.

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

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
    // Switzerland and Liechtenstein write by the reformed rules (without "ß") since 1996.
    ShortTag{"de-ch", Language::German_1996},
    ShortTag{"de-li", Language::German_1996},
    ShortTag{"de-li-1901", Language::German_Swiss},
    ShortTag{"el", Language::Greek_Mono},
    ShortTag{"no", Language::Norwegian_Bokmal},
    ShortTag{"sr", Language::Serbian_Cyrillic},
    ShortTag{"sr-latn", Language::Serbocroatian_Latin},
    ShortTag{"sh", Language::Serbocroatian_Latin},
    ShortTag{"bs", Language::Serbocroatian_Latin},
    ShortTag{"mn", Language::Mongolian},
    ShortTag{"zh-latn", Language::Chinese},
    ShortTag{"ku", Language::Kurmanji},
    ShortTag{"am", Language::Ethiopic},
    ShortTag{"ti", Language::Ethiopic},
    ShortTag{"gez", Language::Ethiopic},
};

// Tags of languages this library has no patterns for although a shorter or longer tag would
// find some: Chinese in Han characters (the Chinese patterns are for pinyin, zh-Latn).
constexpr std::array<std::string_view, 3> tagsWithoutPatterns = {"zh", "zh-hans", "zh-hant"};

// What a normalised tag names: a language, a language without patterns here, or nothing known.
struct Match {
  bool known = false;
  std::optional<Language> language;
};

// A POSIX locale name as the tag it stands for: "de_DE.UTF-8" as "de_DE", "pt_BR@euro" as
// "pt_BR", and the script modifiers "sr_RS@latin" as "sr_Latn_RS", "uz_UZ@cyrillic" as
// "uz_Cyrl_UZ". Anything without "." or "@" is returned as it is.
std::string fromLocaleName(std::string_view name) {
  const std::size_t at = name.find('@');
  const std::string_view modifier = at == std::string_view::npos ? "" : name.substr(at + 1);
  std::string_view locale = name.substr(0, std::min(name.find('.'), at));
  std::string script;
  if (modifier == "latin") script = "Latn";
  if (modifier == "cyrillic") script = "Cyrl";
  if (script.empty()) return std::string(locale);
  const std::size_t language = std::min(locale.find_first_of("_-"), locale.size());
  return std::string(locale.substr(0, language)) + "_" + script +
         std::string(locale.substr(language));
}

// Lower case, "_" as "-"; nothing for text that cannot be a tag or a name.
std::optional<std::string> normalisedTag(std::string_view tag) {
  std::string normalised;
  for (char c : fromLocaleName(tag)) {
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

// A file code, a short tag or a tag without patterns, already normalised.
Match fromCode(std::string_view tag) {
  for (const Language language : allLanguages()) {
    if (languageAffix(language) == tag) return {true, language};
  }
  for (const ShortTag& entry : shortTags) {
    if (entry.tag == tag) return {true, entry.language};
  }
  for (const std::string_view without : tagsWithoutPatterns) {
    if (without == tag) return {true, std::nullopt};
  }
  return {};
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

// Whether a normalised tag is built as a language tag: a language subtag of two or three
// letters, then subtags of one to eight letters or digits.
bool isWellFormed(std::string_view tag) {
  std::size_t start = 0;
  for (bool first = true; start <= tag.size(); first = false) {
    const std::size_t end = std::min(tag.find('-', start), tag.size());
    const std::string_view subtag = tag.substr(start, end - start);
    const bool letters =
        std::all_of(subtag.begin(), subtag.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    if (first ? !(letters && subtag.size() >= 2 && subtag.size() <= 3)
              : subtag.empty() || subtag.size() > 8) {
      return false;
    }
    start = end + 1;
  }
  return true;
}

// The first of: the name, the code or short tag, the same without regions, the longest leading
// part that is a code or short tag.
Match match(std::string_view tag) {
  if (auto language = fromName(tag)) return {true, language};
  if (Match found = fromCode(tag); found.known) return found;
  if (Match found = fromCode(withoutRegions(tag)); found.known) return found;
  for (std::string_view prefix = tag;;) {
    const std::size_t dash = prefix.rfind('-');
    if (dash == std::string_view::npos) return {};
    prefix = prefix.substr(0, dash);
    if (Match found = fromCode(prefix); found.known) return found;
  }
}

}  // namespace

std::optional<Language> languageFromTag(std::string_view tag) {
  const std::optional<std::string> normalised = normalisedTag(tag);
  if (!normalised) return std::nullopt;
  return match(*normalised).language;
}

bool isLanguageTag(std::string_view tag) {
  const std::optional<std::string> normalised = normalisedTag(tag);
  return normalised && (match(*normalised).known || isWellFormed(*normalised));
}

std::vector<std::string_view> languageTags(Language language) {
  std::vector<std::string_view> tags;
  for (const ShortTag& entry : shortTags) {
    if (entry.language == language) tags.push_back(entry.tag);
  }
  return tags;
}

}  // namespace text::hyphenation
