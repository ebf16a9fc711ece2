#include "platform/system/locale.h"

#include <SDL.h>

#include <cctype>

std::string UserLanguage() {
  SDL_Locale* locales = SDL_GetPreferredLocales();
  std::string language;
  if (locales && locales[0].language) language = locales[0].language;
  SDL_free(locales);
  for (char& c : language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return language;
}
