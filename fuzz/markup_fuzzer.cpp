// The markup layer on arbitrary bytes: removing the separators gives back the input byte for
// byte, in HTML and in XHTML, and the streaming form gives the one-shot output however the
// input is cut. The first byte chooses the syntax and where the input is cut.

#include <cstdint>
#include <string>
#include <string_view>

#include "check.hpp"
#include "text/hyphenation.hpp"

namespace hy = text::hyphenation;

namespace {

// A separator no input can hold, so that removing it is exact.
constexpr std::string_view kSeparator = "\xFF\xFE";

std::string withoutSeparators(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    if (text.substr(at, kSeparator.size()) == kSeparator) {
      at += kSeparator.size();
    } else {
      out += text[at++];
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned control = data[0];
  std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  // "\xFF\xFE" in the input would make the removal ambiguous; any other bytes are fair.
  for (std::size_t at = input.find(kSeparator); at != std::string::npos;
       at = input.find(kSeparator))
    input[at] = 'x';

  hy::MarkupOptions options;
  options.text.separator = std::string(kSeparator);
  options.syntax = control & 1   ? hy::MarkupSyntax::Xhtml
                   : control & 2 ? hy::MarkupSyntax::Html
                                 : hy::MarkupSyntax::Detect;
  const std::string whole = hy::hyphenateHtml(hy::english_US, input, options);
  FUZZ_CHECK(withoutSeparators(whole) == input);

  std::string streamed;
  const auto append = [&streamed](std::string_view piece) { streamed.append(piece); };
  hy::MarkupStream stream(hy::english_US, options);
  const std::size_t piece = 1 + (control >> 2);
  for (std::size_t at = 0; at < input.size(); at += piece) {
    stream.write(std::string_view(input).substr(at, piece), append);
  }
  stream.finish(append);
  FUZZ_CHECK(streamed == whole);
  return 0;
}
