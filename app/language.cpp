// The editions' texts side by side, and where each edition's pictures lie.
#include "app/language.h"

#include <cstring>

#include "app/shell.h"

namespace {

constexpr GameTexts Czech = {
    ErrorCaption,
    "%d. \xDAROVE\xD2\nPRO POSTUP DO DAL\x8A\xCD \xDAROVN\xCC\n"
    "POT\xD8"
    "EBUJETE %d BOD\xD9,\nVA\x8A"
    "E NEJVY\x8A\x8A\xCD SKORE JE %d BOD\xD9.",
    "UM\xCDSTIL JSTE SE DO TABULKY V\xCDT\xCCZ\xD9\nZADEJTE PROS\xCDM SV\xC9 "
    "JM\xC9NO:\n%s.",
};

constexpr GameTexts English = {
    "An error occurred while the program was running!",
    "LEVEL %d\nTO GO ON TO THE NEXT LEVEL\nYOU NEED %d POINTS,\nYOUR BEST SCORE IS %d POINTS.",
    "YOU HAVE MADE IT INTO THE TABLE OF WINNERS\nPLEASE ENTER YOUR NAME:\n%s.",
};

// The pictures with words in them; the rest are the same in both editions. The settings
// controls have none, but at 8 bits they share the settings picture's palette.
constexpr const char* WordedPictures[] = {
    "MenuBckg.", "MenuSel.", "Logo.",     "Help1.",    "Help2.",
    "Help3.",    "Setup.",   "Settings.", "Controls.", "HiScore.",
};

}  // namespace

const GameTexts& Texts() { return Lang.Current == Language::English ? English : Czech; }

const char* LanguageCode(Language language) { return language == Language::English ? "en" : "cs"; }

bool LanguageFromCode(const std::string& code, Language& language) {
  if (code == "cs")
    language = Language::Czech;
  else if (code == "en")
    language = Language::English;
  else
    return false;
  return true;
}

std::string LocalisedPicture(const char* path) {
  const std::string whole = path;
  if (Lang.Current == Language::Czech) return whole;
  const size_t slash = whole.find('/');
  if (slash == std::string::npos) return whole;
  const std::string name = whole.substr(slash + 1);
  for (const char* worded : WordedPictures)
    if (name.starts_with(worded)) return whole.substr(0, slash) + "/en/" + name;
  return whole;
}
