// Placeholder until the video subsystem lands.
#include "video/video.h"

bool sysRestoreBackground(int) { return true; }
bool sysRestoreFont() { return true; }
bool sysPrintChar(int, int, const char*) { return true; }
bool sysDarkRect(const dd::RECT&) { return true; }
bool sysTextBox(char*) { return true; }
