// The two editions: which one a start picks, what is remembered, and what each shows.
#include "app/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/player_options.h"
#include "app/shell.h"
#include "persist/player_settings.h"
#include "persist/settings.h"
#include "support/hive_files.h"

namespace {

// The user's language set by LANG alone for one test; the environment comes back after it.
struct UserLocale {
  static constexpr const char* Names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
  std::vector<std::optional<std::string>> saved;
  UserLocale() {
    for (const char* name : Names) {
      const char* was = std::getenv(name);
      saved.push_back(was ? std::optional<std::string>(was) : std::nullopt);
      unsetenv(name);
    }
  }
  static void Set(const char* lang) { lang ? setenv("LANG", lang, 1) : unsetenv("LANG"); }
  ~UserLocale() {
    for (size_t i = 0; i < saved.size(); ++i)
      saved[i] ? setenv(Names[i], saved[i]->c_str(), 1) : unsetenv(Names[i]);
  }
};

Language Start(const char* commandLine) {
  PlayerOptions options;
  EXPECT_TRUE(ReadPlayerOptions(commandLine, options));
  EXPECT_TRUE(LoadSettings());
  EXPECT_TRUE(LoadPlayerSettings());
  ApplyPlayerOptions(options);
  EXPECT_TRUE(SavePlayerSettings());
  return Lang.Current;
}

TEST(Language, TheOptionWinsThenTheRememberedChoiceThenTheUsersLanguage) {
  IsolatedUserData data;
  UserLocale locale;
  Switches = SwitchFlags{};
  locale.Set("cs_CZ.UTF-8");
  EXPECT_EQ(Start(""), Language::Czech);
  locale.Set("en_GB.UTF-8");
  EXPECT_EQ(Start(""), Language::English);
  EXPECT_EQ(ReadFile(UserHive(data)).find("Language"), std::string::npos)
      << "no choice was made, so none is remembered";
  EXPECT_EQ(Start("--lang=cs"), Language::Czech);
  EXPECT_NE(ReadFile(UserHive(data)).find("\"Language\"=\"cs\""), std::string::npos);
  EXPECT_EQ(Start(""), Language::Czech);  // remembered over the user's language
  locale.Set(nullptr);
  EXPECT_EQ(Start("--lang=en"), Language::English);
  EXPECT_EQ(Start("--windowed"), Language::English);
  PlayerOptions options;
  EXPECT_FALSE(ReadPlayerOptions("--lang=de", options) || ReadPlayerOptions("--lang=", options));
  Lang = LanguageState{};
}

TEST(Language, EachEditionHasItsTextsAndItsWordedPictures) {
  for (const auto& [path, english] :
       {std::pair<std::string, std::string>{"Grafika/MenuBckg.jpg", "Grafika/en/MenuBckg.jpg"},
        {"Grafika8/Controls.gif", "Grafika8/en/Controls.gif"},
        {"Grafika/Game.bmp", "Grafika/Game.bmp"}}) {
    Lang.Current = Language::Czech;
    const std::string czech = LocalisedPicture(path.c_str());
    Lang.Current = Language::English;
    EXPECT_EQ(std::pair(czech, LocalisedPicture(path.c_str())), std::pair(path, english));
  }
  EXPECT_STREQ(Texts().ErrorCaption, "An error occurred while the program was running!");
  Lang.Current = Language::Czech;
  EXPECT_STREQ(Texts().ErrorCaption, ErrorCaption);
}

}  // namespace
