#include "language/embedded_files.hpp"

#include <algorithm>
#include <atomic>
#include <memory>

#include "common/utf8_decode.hpp"
#include "text/hyphenation/error.hpp"

namespace text::hyphenation::detail {
namespace {

// Entry k counts the decompressions of embeddedFiles()[k].
std::atomic<std::uint64_t>* readCounts() {
  static const std::unique_ptr<std::atomic<std::uint64_t>[]> counts(
      new std::atomic<std::uint64_t>[embeddedFiles().size()]());
  return counts.get();
}

const EmbeddedFile* findEmbeddedFile(std::string_view name) {
  std::span<const EmbeddedFile> files = embeddedFiles();
  auto at = std::lower_bound(
      files.begin(), files.end(), name,
      [](const EmbeddedFile& file, std::string_view key) { return file.name < key; });
  return at != files.end() && at->name == name ? &*at : nullptr;
}

}  // namespace

std::u32string readEmbeddedFile(std::string_view name) {
  const EmbeddedFile* file = findEmbeddedFile(name);
  if (!file) throw Error("Could not find " + std::string(name));
  readCounts()[file - embeddedFiles().data()].fetch_add(1, std::memory_order_relaxed);
  std::string bytes = gunzip(file->data);
  return decodeUtf8(bytes);
}

std::uint64_t embeddedReadCount(std::string_view name) {
  const EmbeddedFile* file = findEmbeddedFile(name);
  if (!file) return 0;
  return readCounts()[file - embeddedFiles().data()].load(std::memory_order_relaxed);
}

}  // namespace text::hyphenation::detail
