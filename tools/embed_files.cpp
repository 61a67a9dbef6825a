// Build tool: writes a C++ source that defines the library's embeddedFiles() table, holding
// the given files' names and bytes in read-only data.
//
//   embed_files OUTPUT.cpp FILE...
//
// Each file becomes one string literal, split over lines; bytes outside printable ASCII are
// three-digit octal escapes, which unlike hex escapes never swallow the character after them.
// A string literal is the fastest form for a compiler to read: a megabyte of it compiles in a
// fraction of the time the same bytes take as a list of integers.

#include <algorithm>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "build_files.hpp"

namespace {

struct InputFile {
  std::string name;
  std::string bytes;
};

void appendEscaped(std::string& out, unsigned char byte) {
  if (byte == '"' || byte == '\\' || byte == '?') {
    out += '\\';
    out += static_cast<char>(byte);
  } else if (byte >= 0x20 && byte < 0x7F) {
    out += static_cast<char>(byte);
  } else {
    out += '\\';
    out += static_cast<char>('0' + (byte >> 6));
    out += static_cast<char>('0' + ((byte >> 3) & 7));
    out += static_cast<char>('0' + (byte & 7));
  }
}

std::string literal(const std::string& bytes, std::size_t bytesPerLine) {
  std::string out = "\"";
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    if (at > 0 && at % bytesPerLine == 0) out += "\"\n    \"";
    appendEscaped(out, static_cast<unsigned char>(bytes[at]));
  }
  return out + '"';
}

std::string generate(const std::vector<InputFile>& files) {
  std::string out =
      "// Generated at build time by tools/embed_files.cpp from the data directory. Do not edit.\n"
      "#include <array>\n\n"
      "#include \"language/embedded_files.hpp\"\n\n"
      "#pragma GCC diagnostic ignored \"-Woverlength-strings\"\n\n"
      "namespace text::hyphenation::detail {\n"
      "namespace {\n\n";
  for (std::size_t k = 0; k < files.size(); ++k) {
    out += "// " + files[k].name + "\n";
    out += "constexpr unsigned char file" + std::to_string(k) + "[] =\n    ";
    out += literal(files[k].bytes, 160) + ";\n\n";
  }
  out += "constexpr std::array<EmbeddedFile, " + std::to_string(files.size()) + "> files = {{\n";
  for (std::size_t k = 0; k < files.size(); ++k) {
    out += "    {" + literal(files[k].name, files[k].name.size() + 1) + ", {file" +
           std::to_string(k) + ", " + std::to_string(files[k].bytes.size()) + "}},\n";
  }
  out +=
      "}};\n\n"
      "}  // namespace\n\n"
      "std::span<const EmbeddedFile> embeddedFiles() { return files; }\n\n"
      "}  // namespace text::hyphenation::detail\n";
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc < 2) throw std::runtime_error("usage: embed_files OUTPUT.cpp FILE...");
    std::vector<InputFile> files;
    for (int k = 2; k < argc; ++k) {
      std::filesystem::path path(argv[k]);
      files.push_back({path.filename().string(), build_files::readBytes(path)});
    }
    // Byte order of names: std::string compares its characters as unsigned char.
    std::sort(files.begin(), files.end(),
              [](const InputFile& a, const InputFile& b) { return a.name < b.name; });
    auto duplicate =
        std::adjacent_find(files.begin(), files.end(),
                           [](const InputFile& a, const InputFile& b) { return a.name == b.name; });
    if (duplicate != files.end()) throw std::runtime_error("two files named " + duplicate->name);

    build_files::writeFile(argv[1], generate(files));
  } catch (const std::exception& error) {
    std::cerr << "embed_files: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
