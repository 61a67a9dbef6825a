#include "options.hpp"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace {

using command::Action;
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

TEST(CommandOptions, DefaultsHyphenateStandardInputInUsEnglishWithAHyphen) {
  const Options options = parsed({});
  EXPECT_EQ(options.action, Action::hyphenate);
  EXPECT_FALSE(options.language.has_value());
  EXPECT_EQ(options.separator, "-");
  EXPECT_FALSE(options.words);
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
    EXPECT_TRUE(options.words) << arguments[0];
  }
  EXPECT_EQ(parsed({"--soft"}).separator, "\u00AD");
  EXPECT_EQ(parsed({"-s", ""}).separator, "");
  // The last of several values counts.
  EXPECT_EQ(parsed({"-l", "fr", "-l", "it"}).language, "it");
}

TEST(CommandOptions, OperandsKeepTheirOrderAroundOptionsAndAfterTheEndMarker) {
  EXPECT_EQ(parsed({"a", "-w", "b", "-"}).files, (std::vector<std::string>{"a", "b", "-"}));
  EXPECT_TRUE(parsed({"a", "-w", "b"}).words);
  const Options ended = parsed({"--", "-w", "--soft"});
  EXPECT_FALSE(ended.words);
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

TEST(CommandOptions, EachCallStartsAfresh) {
  // getopt_long keeps its place in globals; a second parse must not go on from the first.
  EXPECT_EQ(refusal({"-w", "-x"}), "invalid option -- 'x'");
  EXPECT_EQ(parsed({"-w", "a"}).files, std::vector<std::string>{"a"});
  EXPECT_EQ(parsed({"-w", "a"}).files, std::vector<std::string>{"a"});
}

}  // namespace
