#include <cstring>

#include "app/shell.h"

SwitchFlags ReadSwitches(const std::string& commandLine) {
  const auto has = [&](const char* name) { return std::strstr(commandLine.c_str(), name); };
  SwitchFlags flags;
  if (has("--no-cd-music")) flags.NoCDMusic = true;
  flags.Use32BitColors = !has("--use-16-bit-colors");
  if (has("--use-8-bit-colors")) flags.Use8BitColors = true;
  if (has("--double-buffer")) flags.DoubleBuffer = true;
  if (has("--no-sound")) flags.NoSound = true;
  if (has("--select-mode")) flags.SelectMode = true;
  if (has("--no-background")) flags.ShowBackground = false;
  return flags;
}

int SwitchDepth(const SwitchFlags& flags) {
  int depth = 16;
  if (flags.Use32BitColors) depth = 32;
  if (flags.Use8BitColors) depth = 8;
  return depth;
}
