#include "app/player_options.h"

#include <cstdio>

#include "audio/volume.h"
#include "platform/system/system.h"

namespace {

// The text after "name=" up to the next space; nullopt when the option is absent.
std::optional<std::string> Value(const std::string& commandLine, const std::string& name) {
  const std::string prefix = name + "=";
  for (size_t at = commandLine.find(prefix); at != std::string::npos;
       at = commandLine.find(prefix, at + 1)) {
    if (at > 0 && commandLine[at - 1] != ' ') continue;
    const size_t start = at + prefix.size();
    return commandLine.substr(start, commandLine.find(' ', start) - start);
  }
  return std::nullopt;
}

bool ReadVolume(const std::string& commandLine, const char* name, std::optional<uint32_t>& out) {
  const std::optional<std::string> text = Value(commandLine, name);
  if (!text) return true;
  uint32_t value = 0;
  bool ok = !text->empty() && text->size() <= 3;
  for (char c : *text) {
    ok = ok && c >= '0' && c <= '9';
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  if (!ok || value > MaxVolume) {
    std::fprintf(stderr, "Nauvrel: %s takes a number from 0 to 100, not \"%s\"\n", name,
                 text->c_str());
    return false;
  }
  out = value;
  return true;
}

bool ReadEdition(const std::string& commandLine, std::optional<Language>& out) {
  const std::optional<std::string> text = Value(commandLine, "--lang");
  if (!text) return true;
  Language language;
  if (!LanguageFromCode(*text, language)) {
    std::fprintf(stderr, "Nauvrel: --lang takes cs or en, not \"%s\"\n", text->c_str());
    return false;
  }
  out = language;
  return true;
}

}  // namespace

bool ReadPlayerOptions(const std::string& commandLine, PlayerOptions& options) {
  options = PlayerOptions{};
  return ReadVolume(commandLine, "--sound-volume", options.SoundVolume) &&
         ReadVolume(commandLine, "--music-volume", options.MusicVolume) &&
         ReadEdition(commandLine, options.Edition);
}

void ApplyPlayerOptions(const PlayerOptions& options) {
  if (options.SoundVolume) Volume.SoundVolume = *options.SoundVolume;
  if (options.MusicVolume) Volume.MusicVolume = *options.MusicVolume;
  if (options.Edition) {
    Lang.Current = *options.Edition;
    Lang.Chosen = true;
  } else if (!Lang.Chosen) {
    Lang.Current = UserLanguage() == "en" ? Language::English : Language::Czech;
  }
}
