#pragma once
// The two editions of the game: Czech, as it always was, and English. The edition decides
// every text the game prints and which pictures with words in them are loaded.
#include <string>

enum class Language { Czech, English };

struct LanguageState {
  Language Current = Language::Czech;
  bool Chosen = false;  // by --lang or remembered from it, so it is remembered again
};
inline LanguageState Lang;

// The texts of one edition, in Windows-1250.
struct GameTexts {
  const char* ErrorCaption;
  const char* LevelIntro;  // printf format: level, points needed, best score
  const char* NameEntry;   // printf format: the name typed so far
};
const GameTexts& Texts();

// "cs" or "en" and back; false for any other code.
const char* LanguageCode(Language language);
bool LanguageFromCode(const std::string& code, Language& language);

// The archive path of a picture in the current edition: pictures with words in them come
// from the folder "en" beside the Czech ones ("Grafika/en/Help1.jpg").
std::string LocalisedPicture(const char* path);
