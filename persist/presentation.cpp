#include "persist/presentation.h"

#include <cstdio>
#include <cstring>

#include "persist/reg_values.h"
#include "platform/registry/registry.h"
#include "platform/window/window.h"

namespace {

reg::HKEY OpenKey() {
  reg::HKEY key = nullptr;
  return CreateGameKey(reg::HKEY_CURRENT_USER, key) ? key : nullptr;
}

// Each write replaces the hive file: a value that is already kept is not written again.
void SetChangedDword(reg::HKEY key, const char* name, uint32_t value) {
  if (uint32_t kept = 0; QueryDword(key, name, kept) && kept == value) return;
  SetDword(key, name, value);
}

// The kept scaling mode: a short REG_SZ naming one.
bool QueryScale(reg::HKEY key, win::ScaleMode& mode) {
  std::string text;
  return QueryShortString(key, "Scale", 16, text) && win::ScaleModeNamed(text, mode);
}

// "--scale=NAME" anywhere in the command line; true when given, even with a wrong name.
bool ScaleSwitch(const std::string& commandLine, std::string& name) {
  constexpr std::string_view option = "--scale=";
  const size_t at = commandLine.find(option);
  if (at == std::string::npos) return false;
  const size_t from = at + option.size();
  name = commandLine.substr(from, commandLine.find(' ', from) - from);
  return true;
}

}  // namespace

void LoadPresentation(const std::string& commandLine) {
  win::ScaleMode mode = win::ScaleMode::Smooth;
  uint32_t fullScreen = 1, display = 0;
  if (reg::HKEY key = OpenKey()) {
    QueryScale(key, mode);
    QueryDword(key, "FullScreen", fullScreen);
    QueryDword(key, "Display", display);
    reg::RegCloseKey(key);
  }
  if (std::string name; ScaleSwitch(commandLine, name) && !win::ScaleModeNamed(name, mode))
    std::fprintf(stderr,
                 "Nauvrel: --scale=%s is not a scaling mode (smooth, integer, nearest, linear); "
                 "scaling stays %s\n",
                 name.c_str(), win::ScaleModeName(mode));
  win::SetScaleMode(mode);
  const bool windowed = commandLine.find("--windowed") != std::string::npos || fullScreen == 0;
  win::SetWindowedPreference(windowed);
  win::SetDisplayPreference(display < 64 ? static_cast<int>(display) : 0);
}

void SavePresentation() {
  reg::HKEY key = OpenKey();
  if (!key) return;
  const char* scale = win::ScaleModeName(win::CurrentScaleMode());
  if (win::ScaleMode kept; !QueryScale(key, kept) || kept != win::CurrentScaleMode())
    reg::RegSetValueEx(key, "Scale", 0, reg::REG_SZ, reinterpret_cast<const reg::BYTE*>(scale),
                       static_cast<reg::DWORD>(std::strlen(scale) + 1));
  SetChangedDword(key, "FullScreen", win::WindowedPreference() ? 0 : 1);
  SetChangedDword(key, "Display", static_cast<uint32_t>(win::WindowDisplay()));
  reg::RegCloseKey(key);
}
