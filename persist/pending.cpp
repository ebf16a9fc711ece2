// Placeholder until the registry store lands: defaults, nothing kept.
#include "persist/hiscore.h"
#include "persist/settings.h"
#include "screens/input.h"

bool LoadSettings() {
  ApplySettings();
  return true;
}
bool SaveSettings() { return true; }
bool hisLoadData() { return true; }
bool hisSaveData() { return true; }
bool hisQualifies(uint32_t) { return false; }
bool hisInsert(const char*, uint32_t) { return true; }
