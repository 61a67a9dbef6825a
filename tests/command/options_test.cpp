#include "options.hpp"

#include <gtest/gtest.h>

#include <cstdint>

#include <string>
#include <variant>
#include <vector>

namespace {

using command::Action;
using command::Format;
using command::OptionError;
using command::Options;
using command::parseOptions;

Options parsed(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "hyphenate");
  auto result = parseOptions(arguments);
  if (const auto* error = std::get_if<OptionError>(&result)) {
    ADD_FAILURE() << "refused: " << error->message;
    return {};
  }
  return std::get<Options>(result);
}

std::string refusal(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "hyphenate");
  const auto result = parseOptions(arguments);
  if (const auto* error = std::get_if<OptionError>(&result)) return error->message;
  ADD_FAILURE() << "accepted";
  return {};
}

TEST(CommandOptions, DefaultsHyphenateStandardInputAsTheFormatOfEachFileAsks) {
  const Options options = parsed({});
  EXPECT_EQ(options.action, Action::hyphenate);
  EXPECT_FALSE(options.language.has_value());
  EXPECT_FALSE(options.separator.has_value());
  EXPECT_EQ(options.format, Format::automatic);
  EXPECT_EQ(options.minLength, 0u);
  EXPECT_FALSE(options.leftMin.has_value());
  EXPECT_FALSE(options.rightMin.has_value());
  EXPECT_TRUE(options.skipNonProse);
  EXPECT_TRUE(options.files.empty());
}

TEST(CommandOptions, ShortLongAndAttachedFormsMeanTheSame) {
  for (const auto& arguments :
       std::vector<std::vector<std::string>>{{"-l", "de", "-s", "|", "-w"},
                                             {"-lde", "-s|", "-w"},
                                             {"--language", "de", "--separator", "|", "--words"},
                                             {"--language=de", "--separator=|", "--words"},
                                             {"--lang=de", "--sep=|", "--wo"},
                                             {"-wlde", "-s", "|"}}) {
    const Options options = parsed(arguments);
    EXPECT_EQ(options.language, "de") << arguments[0];
    EXPECT_EQ(options.separator, "|") << arguments[0];
    EXPECT_EQ(options.format, Format::words) << arguments[0];
  }
  EXPECT_FALSE(parsed({}).separator.has_value());
  EXPECT_EQ(parsed({"--soft"}).separator, "\u00AD");
  EXPECT_EQ(parsed({"-s", ""}).separator, "");
  // The last of several values counts.
  EXPECT_EQ(parsed({"-l", "fr", "-l", "it"}).language, "it");
}

TEST(CommandOptions, OperandsKeepTheirOrderAroundOptionsAndAfterTheEndMarker) {
  EXPECT_EQ(parsed({"a", "-w", "b", "-"}).files, (std::vector<std::string>{"a", "b", "-"}));
  EXPECT_EQ(parsed({"a", "-w", "b"}).format, Format::words);
  const Options ended = parsed({"--", "-w", "--soft"});
  EXPECT_EQ(ended.format, Format::automatic);
  EXPECT_EQ(ended.files, (std::vector<std::string>{"-w", "--soft"}));
}

TEST(CommandOptions, HelpWinsOverTheListingsAndTheFirstListingOverTheOther) {
  const struct {
    std::vector<std::string> arguments;
    Action action;
  } cases[] = {
      {{"--list-languages"}, Action::listLanguages},
      {{"--version"}, Action::version},
      {{"--help"}, Action::help},
      {{"-h"}, Action::help},
      {{"-wh", "file"}, Action::help},
      {{"--version", "--list-languages"}, Action::version},
      {{"--list-languages", "--version"}, Action::listLanguages},
      {{"--version", "--help"}, Action::help},
      {{"--help", "--version"}, Action::help},
  };
  for (const auto& [arguments, action] : cases) {
    EXPECT_EQ(parsed(arguments).action, action) << arguments[0] << " " << arguments.size();
  }
}

TEST(CommandOptions, RefusalsSayWhatIsWrongInOneLine) {
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {{"--bogus"}, "unrecognized option '--bogus'"},
      {{"--bogus=1"}, "unrecognized option '--bogus'"},
      {{"-x"}, "invalid option -- 'x'"},
      {{"-wx"}, "invalid option -- 'x'"},
      {{"-l"}, "option requires an argument -- 'l'"},
      {{"-s"}, "option requires an argument -- 's'"},
      {{"--language"}, "option '--language' requires an argument"},
      {{"--lang"}, "option '--language' requires an argument"},
      {{"--soft=x"}, "option '--soft' doesn't allow an argument"},
      {{"--s"}, "option '--s' is ambiguous; possibilities: '--separator' '--soft'"},
      {{"-s", "|", "--soft"}, "-s and --soft cannot be used together"},
      {{"--soft", "-s", "|"}, "-s and --soft cannot be used together"},
  };
  for (const auto& [arguments, message] : cases) {
    EXPECT_EQ(refusal(arguments), message) << arguments[0];
  }
}

TEST(CommandOptions, PerCallRulesForRunningText) {
  const Options options =
      parsed({"--min-length", "6", "--left-min=3", "--right-min", "4", "--all-tokens"});
  EXPECT_EQ(options.minLength, 6u);
  EXPECT_EQ(options.leftMin, 3);
  EXPECT_EQ(options.rightMin, 4);
  EXPECT_FALSE(options.skipNonProse);
  EXPECT_EQ(parsed({"--left-min=0"}).leftMin, 0);
  EXPECT_EQ(parsed({"--right-min=9223372036854775807"}).rightMin, INT64_MAX);
}

TEST(CommandOptions, TheFormatIsChosenOnceAndOtherwiseByTheFileName) {
  EXPECT_EQ(parsed({"--html"}).format, Format::html);
  EXPECT_EQ(parsed({"--text", "--text"}).format, Format::text);
  const struct {
    const char* file;
    Format format;
  } names[] = {{"page.html", Format::html},      {"page.htm", Format::html},
               {"book.xhtml", Format::html},     {"PAGE.HTML", Format::html},
               {"a/b.c/page.htm", Format::html}, {"notes.txt", Format::text},
               {"html", Format::text},           {"page.html/notes", Format::text},
               {"page.html.gz", Format::text},   {"-", Format::text}};
  for (const auto& [file, format] : names) {
    EXPECT_EQ(command::formatOf(parsed({}), file), format) << file;
    // A format asked for applies to every input.
    EXPECT_EQ(command::formatOf(parsed({"--text"}), file), Format::text) << file;
    EXPECT_EQ(command::formatOf(parsed({"-w"}), file), Format::words) << file;
    EXPECT_EQ(command::formatOf(parsed({"--html"}), file), Format::html) << file;
  }
}

TEST(CommandOptions, TheSeparatorDefaultsToAHyphenAndInHtmlToASoftHyphenReference) {
  EXPECT_EQ(command::separatorOf(parsed({}), Format::text), "-");
  EXPECT_EQ(command::separatorOf(parsed({}), Format::words), "-");
  EXPECT_EQ(command::separatorOf(parsed({}), Format::html), "&#173;");
  EXPECT_EQ(command::separatorOf(parsed({"--soft"}), Format::html), "\u00AD");
  EXPECT_EQ(command::separatorOf(parsed({"-s", "|"}), Format::html), "|");
  EXPECT_EQ(command::separatorOf(parsed({"-s", ""}), Format::html), "");
}

TEST(CommandOptions, RefusesCountsThatAreNoWholeNumbersAndClashingFormats) {
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } cases[] = {
      {{"--min-length", "x"}, "invalid number for --min-length: 'x'"},
      {{"--min-length="}, "invalid number for --min-length: ''"},
      {{"--left-min", "-1"}, "invalid number for --left-min: '-1'"},
      {{"--left-min", "+1"}, "invalid number for --left-min: '+1'"},
      {{"--right-min", "2x"}, "invalid number for --right-min: '2x'"},
      {{"--right-min", "9223372036854775808"},
       "invalid number for --right-min: '9223372036854775808'"},
      {{"--min-length", "1\n2"}, "invalid number for --min-length: '1\\n2'"},
      {{"-w", "--html"}, "--words and --html cannot be used together"},
      {{"--html", "--text"}, "--html and --text cannot be used together"},
      {{"--text", "-w"}, "--text and --words cannot be used together"},
      {{"--list-languages", "de"}, "extra operand 'de'"},
  };
  for (const auto& [arguments, message] : cases) {
    EXPECT_EQ(refusal(arguments), message) << arguments[0];
  }
}

TEST(CommandOptions, MessagesShowArgumentsWithTheirControlCharactersEscaped) {
  const struct {
    std::string text;
    const char* shown;
  } cases[] = {
      {"plain name.txt", "plain name.txt"},
      {"caf\u00E9 \u4E2D\u6587 \U0001F600", "caf\u00E9 \u4E2D\u6587 \U0001F600"},
      {"\x1B[31mred", "\\x1B[31mred"},
      {"line\nfeed\ttab\rreturn\a", "line\\nfeed\\ttab\\rreturn\\a"},
      {std::string("nul\0x", 5), "nul\\x00x"},
      {"del\x7F", "del\\x7F"},
      {"back\\slash", "back\\\\slash"},
      {"c1 \u0085 \u009B", "c1 \\u0085 \\u009B"},
      {"bidi \u202E \u2066 \u2028 \u00AD", "bidi \\u202E \\u2066 \\u2028 \\u00AD"},
      {"tag \U000E0041", "tag \\U000E0041"},
      {"bad \xFF \xC3 \xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80",
       "bad \\xFF \\xC3 \\xC0\\xAF \\xED\\xA0\\x80 \\xF4\\x90\\x80\\x80"},
      {"cut \xE2\x82", "cut \\xE2\\x82"},
  };
  for (const auto& [text, shown] : cases) {
    EXPECT_EQ(command::printable(text), shown) << text;
  }
  EXPECT_EQ(refusal({"--\x1B[2J"}), "unrecognized option '--\\x1B[2J'");
  EXPECT_EQ(refusal({"-\x01"}), "invalid option -- '\\x01'");
  EXPECT_EQ(refusal({"--list-languages", "\x9B"}), "extra operand '\\x9B'");
}

TEST(CommandOptions, EachCallStartsAfresh) {
  // getopt_long keeps its place in globals; a second parse must not go on from the first.
  EXPECT_EQ(refusal({"-w", "-x"}), "invalid option -- 'x'");
  EXPECT_EQ(parsed({"-w", "a"}).files, std::vector<std::string>{"a"});
  EXPECT_EQ(parsed({"-w", "a"}).files, std::vector<std::string>{"a"});
}

}  // namespace
