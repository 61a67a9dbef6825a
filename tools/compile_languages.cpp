// Build tool: compiles every language of the data directory into a C++ source that defines the
// library's compiledLanguages() table, so that a language's first word finds its trie, character
// classes and exceptions in read-only data instead of building them.
//
//   compile_languages OUTPUT.cpp FILE...
//
// FILE... are the data files, "hyph-CODE.KIND.txt.gz"; each language needs its pat, chr and hyp
// file. The patterns are parsed and frozen by the library's own code, so a compiled trie is the
// very trie parsePatterns makes, and the output is the same bytes on every run. Arrays are
// written as integers in the target's own byte order, which is why they are not string literals.

#include <algorithm>
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "build_files.hpp"
#include "common/utf8_decode.hpp"
#include "hyphenator/fast_path.hpp"
#include "language/char_table.hpp"
#include "language/gzip.hpp"
#include "text/hyphenation/exception.hpp"

namespace {

using text::hyphenation::detail::CompiledExceptionArrays;
using text::hyphenation::detail::FastPathArrays;
using text::hyphenation::detail::FrozenArrays;
using text::hyphenation::detail::OutputTable;

std::u32string readText(const std::filesystem::path& path) {
  const std::string compressed = build_files::readBytes(path);
  const std::string bytes = text::hyphenation::detail::gunzip(
      {reinterpret_cast<const unsigned char*>(compressed.data()), compressed.size()});
  return text::hyphenation::detail::decodeUtf8(bytes);
}

template <class T>
std::string typeName() {
  if constexpr (std::is_same_v<T, char32_t>) return "char32_t";
  return "std::uint" + std::to_string(8 * sizeof(T)) + "_t";
}

// Writes C++ source, naming every array it defines.
class Source {
 public:
  const std::string& text() const { return out_; }
  void line(const std::string& text) { out_ += text + '\n'; }

  // Defines `name` as a constexpr array of `values` and returns a span expression for it; an
  // empty array gets one element, since C++ has no empty arrays, and a span of none of it.
  template <class T>
  std::string array(const std::string& type, const std::string& name,
                    const std::vector<T>& values) {
    out_ += "constexpr " + type + " " + name + "[] = {";
    std::size_t column = 80;
    for (std::size_t k = 0; k < std::max<std::size_t>(values.size(), 1); ++k) {
      const std::string value = (k < values.size() ? std::to_string(values[k]) : "0") + "u";
      if (column + value.size() + 1 > 99) {
        out_ += "\n   ";
        column = 3;
      }
      out_ += ' ' + value + ',';
      column += value.size() + 2;
    }
    out_ += "\n};\n";
    return "std::span<const " + type + ">(" + name + ", " + std::to_string(values.size()) + ")";
  }

  // Defines the arrays of a code-point table and returns its CodePointPages expression.
  template <class Table>
  std::string pages(const std::string& name, const Table& table, std::size_t& bytes) {
    const auto& index = table.pageIndex();
    const auto& blocks = table.blocks();
    array("std::uint32_t", name + "Pages", index);
    array(typeName<typename Table::Entry::second_type>(), name + "Blocks", blocks);
    bytes += index.size() * sizeof(index[0]) + blocks.size() * sizeof(blocks[0]);
    return "{" + name + "Blocks + " + std::to_string(std::size_t{index[0]} * 256) + ", " + name +
           "Pages, " + std::to_string(index.size()) + ", " + name + "Blocks, {}}";
  }

 private:
  std::string out_;
};

struct Language {
  std::string code;
  FastPathArrays arrays;
};

bool sameTrie(const FastPathArrays& a, const FastPathArrays& b) {
  return a.trie.narrowUnits == b.trie.narrowUnits && a.trie.wideUnits == b.trie.wideUnits &&
         a.trie.alphabet == b.trie.alphabet && a.trie.patternLetters == b.trie.patternLetters &&
         a.trie.rootOutput == b.trie.rootOutput;
}

// Defines the arrays of a trie; returns its NarrowTrie and WideTrie expressions, as FastPath
// takes them, and adds their bytes to `bytes`.
std::string writeTrie(Source& source, const std::string& name, const FrozenArrays& trie,
                      std::size_t& bytes) {
  bytes += trie.narrowUnits.size() * sizeof(std::uint32_t) +
           trie.wideUnits.size() * sizeof(std::uint64_t) + trie.alphabet.size() * sizeof(char32_t);
  const std::string units = trie.narrow()
                                ? source.array("std::uint32_t", name + "Units", trie.narrowUnits)
                                : source.array("std::uint64_t", name + "Units", trie.wideUnits);
  const std::vector<std::uint32_t> alphabet(trie.alphabet.begin(), trie.alphabet.end());
  const std::string letters = source.array("char32_t", name + "Alphabet", alphabet);
  const std::string classes = trie.narrow()
                                  ? source.pages(name + "Classes", trie.narrowClasses, bytes)
                                  : source.pages(name + "Classes", trie.wideClasses, bytes);
  const std::string compact = "{" + units + ", " + classes + ", " + letters + ", " +
                              std::to_string(trie.patternLetters) + ", outputs, " +
                              std::to_string(trie.rootOutput) + "u, " +
                              (trie.regular ? "true" : "false") + ", {}, {}, {}}";
  return trie.narrow() ? "NarrowTrie" + compact + ", {}" : "{}, WideTrie" + compact;
}

// Defines the arrays of an exception table and returns its expression.
std::string writeExceptions(Source& source, const std::string& name,
                            const CompiledExceptionArrays& exceptions, std::size_t& bytes) {
  if (exceptions.slots.empty()) return "CompiledExceptions{{}, 0, {}, {}}";
  bytes += exceptions.filter.size() * sizeof(std::uint64_t) +
           exceptions.slots.size() * sizeof(std::uint32_t) +
           exceptions.entries.size() * sizeof(std::uint16_t);
  return "CompiledExceptions{" + source.array("std::uint64_t", name + "Filter", exceptions.filter) +
         ", " + std::to_string(exceptions.filterBits) + ", " +
         source.array("std::uint32_t", name + "Slots", exceptions.slots) + ", " +
         source.array("std::uint16_t", name + "Exceptions", exceptions.entries) + "}";
}

std::string generate(const std::vector<Language>& languages, const OutputTable& outputs) {
  Source source;
  source.line(
      "// Generated at build time by tools/compile_languages.cpp from the data directory. Do not "
      "edit.\n"
      "#include \"language/compiled_languages.hpp\"\n\n"
      "namespace text::hyphenation::detail {\n"
      "namespace {\n");
  const text::hyphenation::detail::OutputArrays shared = outputs.arrays();
  auto vectorOf = [](auto span) { return std::vector(span.begin(), span.end()); };
  const std::string outputsExpression =
      "OutputArrays{" + source.array("std::uint8_t", "windows", vectorOf(shared.windows)) + ", " +
      source.array("std::uint8_t", "coveredWindows", vectorOf(shared.coveredWindows)) + ", " +
      source.array("std::uint8_t", "windowLengths", vectorOf(shared.windowLengths)) + ", " +
      source.array("std::uint32_t", "longBegin", vectorOf(shared.longBegin)) + ", " +
      source.array("std::uint8_t", "longScores", vectorOf(shared.longScores)) + "}";
  source.line("\nconstexpr OutputArrays outputs = " + outputsExpression + ";\n");

  // Each language's arrays one after another, so that its first word touches few pages; a trie
  // that several languages share goes with the first of them.
  std::vector<std::string> entries;
  std::vector<std::size_t> owners;  // the language that wrote each distinct trie
  std::vector<std::string> tries;
  for (std::size_t k = 0; k < languages.size(); ++k) {
    const Language& language = languages[k];
    const std::string name = "language" + std::to_string(k);
    std::size_t bytes = 0;
    source.line("// " + language.code);
    std::size_t trie = 0;
    while (trie < tries.size() && !sameTrie(languages[owners[trie]].arrays, language.arrays))
      ++trie;
    if (trie == tries.size()) {
      tries.push_back(writeTrie(source, name + "Trie", language.arrays.trie, bytes));
      owners.push_back(k);
    }
    const std::string classes = source.pages(name + "Classes", language.arrays.classes, bytes);
    const std::string exceptions = writeExceptions(source, name, language.arrays.exceptions, bytes);
    const std::string sharesWith = owners[trie] == k ? "" : languages[owners[trie]].code;
    entries.push_back("    {\"" + language.code + "\", FastPath{" + classes + ", " + tries[trie] +
                      ", " + exceptions + "}, " + std::to_string(bytes) + ", \"" + sharesWith +
                      "\"},");
    source.line("");
  }

  source.line("constexpr CompiledLanguage languages[] = {");
  for (const std::string& entry : entries)
    source.line(entry);
  source.line("};\n");
  source.line("}  // namespace\n");
  source.line("std::span<const CompiledLanguage> compiledLanguages() { return languages; }\n");
  source.line("std::size_t compiledOutputBytes() { return " + std::to_string(outputs.bytes()) +
              "; }\n");
  source.line("}  // namespace text::hyphenation::detail");
  return source.text();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc < 2) throw std::runtime_error("usage: compile_languages OUTPUT.cpp FILE...");
    // code -> kind -> path
    std::map<std::string, std::map<std::string, std::filesystem::path>> files;
    for (int k = 2; k < argc; ++k) {
      const std::filesystem::path path(argv[k]);
      const std::string name = path.filename().string();
      const std::string prefix = "hyph-", suffix = ".txt.gz";
      if (name.size() < prefix.size() + suffix.size() + 5 || name.rfind(prefix, 0) != 0 ||
          name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        throw std::runtime_error("not a data file: " + name);
      }
      const std::string stem =
          name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
      const std::size_t dot = stem.rfind('.');
      files[stem.substr(0, dot)][stem.substr(dot + 1)] = path;
    }

    OutputTable outputs;
    std::vector<Language> languages;
    for (const auto& [code, kinds] : files) {
      auto kind = [&, &code = code, &kinds = kinds](const std::string& name) {
        const auto at = kinds.find(name);
        if (at == kinds.end()) throw std::runtime_error("no " + name + " file for " + code);
        return readText(at->second);
      };
      const auto chars = text::hyphenation::detail::parseCharTable(kind("chr"));
      const auto exceptions = text::hyphenation::parseExceptions(kind("hyp"));
      try {
        languages.push_back({code, text::hyphenation::detail::buildFastPath(chars, kind("pat"),
                                                                            exceptions, outputs)});
      } catch (const std::exception& error) {
        throw std::runtime_error(code + ": " + error.what());
      }
    }
    build_files::writeFile(argv[1], generate(languages, outputs));
  } catch (const std::exception& error) {
    std::cerr << "compile_languages: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
