// Volumes under HKEY_CURRENT_USER, read at start and written at exit like the settings.
// A missing value or one of another type takes its default; one above 100 is taken as 100.
#include "persist/player_settings.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/language.h"
#include "app/shell.h"
#include "audio/volume.h"
#include "persist/reg_values.h"
#include "platform/registry/registry.h"

namespace {

constexpr DwordValue<VolumeState> Volumes[] = {
    {"SoundVolume", &VolumeState::SoundVolume, "RegSetValueEx: SoundVolume"},
    {"MusicVolume", &VolumeState::MusicVolume, "RegSetValueEx: MusicVolume"},
};

// "cs" or "en" as REG_SZ; anything else is no choice.
bool QueryLanguage(reg::HKEY key, Language& language) {
  std::string text;
  return QueryShortString(key, "Language", 8, text) && LanguageFromCode(text, language);
}

}  // namespace

bool LoadPlayerSettings() {
  Volume = VolumeState{};
  Lang = LanguageState{};
  reg::HKEY key = nullptr;
  if (!OpenGameKey(reg::HKEY_CURRENT_USER, reg::KEY_READ, key))
    return sysShowError("RegOpenKeyEx (LoadPlayerSettings) failed");
  for (const auto& v : Volumes) {
    uint32_t stored = 0;
    if (QueryDword(key, v.name, stored)) Volume.*v.field = std::min(stored, MaxVolume);
  }
  Lang.Chosen = QueryLanguage(key, Lang.Current);
  reg::RegCloseKey(key);
  return true;
}

bool SavePlayerSettings() {
  reg::HKEY key = nullptr;
  if (!OpenGameKey(reg::HKEY_CURRENT_USER, reg::KEY_WRITE, key))
    return sysShowError("RegOpenKeyEx (SavePlayerSettings) failed");
  for (const auto& v : Volumes) {
    if (!SetDword(key, v.name, Volume.*v.field)) {
      reg::RegCloseKey(key);
      return sysShowError(v.failure);
    }
  }
  if (Lang.Chosen) {
    const char* code = LanguageCode(Lang.Current);
    if (reg::RegSetValueEx(key, "Language", 0, reg::REG_SZ,
                           reinterpret_cast<const reg::BYTE*>(code), 3) != reg::ERROR_SUCCESS) {
      reg::RegCloseKey(key);
      return sysShowError("RegSetValueEx: Language");
    }
  }
  reg::RegCloseKey(key);
  return true;
}
