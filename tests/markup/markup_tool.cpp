// Hyphenates an HTML or XHTML file as the markup tests need it:
//   markup_tool [--language TAG] [--syntax html|xhtml|detect] [--separator SEP] [--chunk N] FILE
// writes the file hyphenated (separator U+00AD unless given) to standard output, feeding the
// stream pieces of N bytes (the whole file at once when N is 0). Text outside every lang is
// left alone unless --language is given.
//   markup_tool --texts FILE
// reads records "TAG\0TEXT\0" and writes for each TEXT, hyphenated as running text in the
// language of TAG with U+00AD as separator (unchanged if TAG selects no patterns), and "\0".
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "text/hyphenation.hpp"
#include "text/hyphenation/markup.hpp"

namespace hy = text::hyphenation;

int main(int argc, char** argv) {
  std::optional<hy::Language> language;
  hy::MarkupOptions options;
  options.text.separator = "\u00AD";
  std::size_t chunk = 0;
  bool texts = false;
  std::string file;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (arg == "--language" && k + 1 < argc) {
      language = hy::languageFromTag(argv[++k]);
      if (!language) {
        std::cerr << "markup_tool: no patterns for " << argv[k] << '\n';
        return 2;
      }
    } else if (arg == "--syntax" && k + 1 < argc) {
      const std::string_view syntax = argv[++k];
      options.syntax = syntax == "xhtml"  ? hy::MarkupSyntax::Xhtml
                       : syntax == "html" ? hy::MarkupSyntax::Html
                                          : hy::MarkupSyntax::Detect;
    } else if (arg == "--separator" && k + 1 < argc) {
      options.text.separator = argv[++k];
    } else if (arg == "--texts") {
      texts = true;
    } else if (arg == "--chunk" && k + 1 < argc) {
      chunk = std::strtoul(argv[++k], nullptr, 10);
    } else {
      file = arg;
    }
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "markup_tool: cannot read " << file << '\n';
    return 2;
  }
  const std::string input{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::string output;
  if (texts) {
    for (std::size_t at = 0; at < input.size();) {
      const std::size_t tagEnd = input.find('\0', at);
      const std::size_t textEnd = input.find('\0', tagEnd + 1);
      const std::optional<hy::Language> of = hy::languageFromTag(input.substr(at, tagEnd - at));
      const std::string_view text =
          std::string_view(input).substr(tagEnd + 1, textEnd - tagEnd - 1);
      output +=
          of ? hy::hyphenateText(hy::languageHyphenator(*of), text, "\u00AD") : std::string(text);
      output += '\0';
      at = textEnd + 1;
    }
    std::fwrite(output.data(), 1, output.size(), stdout);
    return 0;
  }
  const auto sink = [&](std::string_view piece) { output.append(piece); };
  hy::MarkupStream stream(language, options);
  const std::string_view rest = input;
  for (std::size_t at = 0; at < rest.size(); at += chunk == 0 ? rest.size() : chunk) {
    stream.write(rest.substr(at, chunk == 0 ? rest.size() : chunk), sink);
  }
  stream.finish(sink);
  std::fwrite(output.data(), 1, output.size(), stdout);
  return 0;
}
