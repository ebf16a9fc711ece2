#include "app/options.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/shell.h"

namespace {

using Args = std::vector<std::string>;

TEST(Options, EachCommandLineAsksForWhatItSays) {
  const struct {
    Args args;
    CommandLineAction action;
    Args unknown;
  } cases[] = {
      {{}, CommandLineAction::Run, {}},
      {{"--help"}, CommandLineAction::Help, {}},
      {{"--no-sound", "--version"}, CommandLineAction::Version, {}},
      {{"--version", "--help"}, CommandLineAction::Help, {}},
      {{"--helpme"}, CommandLineAction::Run, {"--helpme"}},          // --help only as a whole word
      {{"x--no-soundy", "--windowed"}, CommandLineAction::Run, {}},  // switches inside words
      {{"--NO-SOUND"}, CommandLineAction::Run, {"--NO-SOUND"}},      // case matters
      {{"--record", "--bogus"}, CommandLineAction::Run, {}},         // a file name, whatever it is
      {{"--replay"}, CommandLineAction::Run, {}},
      {{"--scale=nearest", "extra"}, CommandLineAction::Run, {"extra"}},  // value in the word
      {{"--bogus", "--use-8-bit-colors", "extra"}, CommandLineAction::Run, {"--bogus", "extra"}},
  };
  for (const auto& c : cases) {
    const CommandLine parsed = ParseCommandLine(c.args);
    EXPECT_EQ(std::tuple(parsed.action, parsed.unknown), std::tuple(c.action, c.unknown))
        << ::testing::PrintToString(c.args);
  }
  EXPECT_EQ(UnknownArgumentWarning("--bogus"),
            "nauvrel: unknown option '--bogus' ignored (see nauvrel --help)\n");
}

TEST(Options, HelpAndManualPageBothListEveryOptionFromTheOneTable) {
  const std::string help = HelpText(), manual = ManualPage();
  EXPECT_EQ(help.rfind("Usage: nauvrel", 0), 0u);
  const auto roff = [](std::string text) {
    for (size_t at = 0; (at = text.find('-', at)) != std::string::npos; at += 2)
      text.replace(at, 1, "\\-");
    return text;
  };
  for (const Option& option : Options()) {
    EXPECT_NE(help.find(std::string(option.name)), std::string::npos) << option.name;
    EXPECT_NE(help.find(option.help), std::string::npos) << option.name;
    EXPECT_NE(manual.find(".B " + roff(option.name)), std::string::npos) << option.name;
  }
}

// The game's own switches count inside longer words, case matters, and 8 bits win over 16.
TEST(Options, SwitchesAskForWhatTheySayWithEverythingOnByDefault) {
  const SwitchFlags none = ReadSwitches("");
  EXPECT_FALSE(none.NoCDMusic || none.Use8BitColors || none.DoubleBuffer || none.NoSound ||
               none.SelectMode || !none.ShowBackground || !none.Use32BitColors ||
               SwitchDepth(none) != 32);
  for (const auto& [line, depth] : {std::pair{"--use-16-bit-colors --use-8-bit-colors", 8},
                                    {"--use-8-bit-colors --use-16-bit-colors", 8},
                                    {"x--use-16-bit-colorsy", 16}})
    EXPECT_EQ(SwitchDepth(ReadSwitches(line)), depth) << line;
  EXPECT_FALSE(ReadSwitches("--NO-SOUND").NoSound || ReadSwitches("--no-soun d").NoSound);
  const SwitchFlags all =
      ReadSwitches("--no-cd-music --double-buffer x--no-soundy --select-mode --no-background");
  EXPECT_TRUE(all.NoCDMusic && all.DoubleBuffer && all.NoSound && all.SelectMode &&
              !all.ShowBackground);
}

}  // namespace
