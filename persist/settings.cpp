// The seven settings under HKEY_CURRENT_USER: read once before the window exists,
// written once at exit in one replacement of the file.
#include "persist/settings.h"

#include "app/shell.h"
#include "persist/reg_values.h"
#include "platform/registry/registry.h"
#include "screens/input.h"

namespace {

// In the order they are read and written.
constexpr DwordValue<SettingsState> BubbleSettings[] = {
    {"NauvrelBubbles", &SettingsState::NauvrelBubbles, "RegSetValueEx: NauvrelBubbles"},
    {"NauvrelExplBubbles", &SettingsState::NauvrelExplBubbles, "RegSetValueEx: NauvrelExplBubbles"},
    {"MineBubbles", &SettingsState::MineBubbles, "RegSetValueEx: MineBubbles"},
    {"TorpedoBubbles", &SettingsState::TorpedoBubbles, "regSetValueEx: TorpedoBubbles"},
    {"BarelExplBubbles", &SettingsState::BarelExplBubbles, "RegSetValueEx: BarelExplBubbles"},
    {"BarelFloatBubbles", &SettingsState::BarelFloatBubbles, "RegSetValueEx: BarelFloatBubbles"},
};

}  // namespace

bool LoadSettings() {
  reg::HKEY key = nullptr;
  if (!CreateGameKey(reg::HKEY_CURRENT_USER, key)) return sysShowError("RegCreateKeyEx failed");

  for (const auto& s : BubbleSettings) {
    uint32_t value = 0;
    Settings.*s.field = QueryDword(key, s.name, value) ? value : 192;
  }
  uint32_t useSound = 0;
  Settings.UseSound = QueryDword(key, "UseSound", useSound) ? useSound != 0 && !Switches.NoSound
                                                            : !Switches.NoSound;
  reg::RegCloseKey(key);

  ApplySettings();
  return true;
}

// The seven values reach the file in one replacement, all of them or none.
bool SaveSettings() {
  reg::HANDLE transaction = reg::CreateTransaction();
  reg::HKEY key = nullptr;
  if (reg::RegOpenKeyTransacted(reg::HKEY_CURRENT_USER, GameKey, 0, reg::KEY_WRITE, &key,
                                transaction, nullptr) != reg::ERROR_SUCCESS) {
    reg::CloseHandle(transaction);
    return sysShowError("RegOpenKeyEx (SaveSettings) failed");
  }
  const char* failure = nullptr;
  for (const auto& s : BubbleSettings)
    if (!failure && !SetDword(key, s.name, Settings.*s.field)) failure = s.failure;
  if (!failure && !SetDword(key, "UseSound", Settings.UseSound ? 1 : 0))
    failure = "RegSetValueEx: UseSound";
  reg::RegCloseKey(key);
  // A commit that fails wrote none of them: the first names the failure.
  if (!failure && reg::CommitTransaction(transaction) != reg::ERROR_SUCCESS)
    failure = BubbleSettings[0].failure;
  reg::CloseHandle(transaction);
  return failure ? sysShowError(failure) : true;
}
