#pragma once
// The player's own choices beside the seven settings, as further values under the same
// key: the effects and music volumes (REG_DWORD 0 to 100) and the edition chosen with
// --lang (REG_SZ "cs" or "en"; absent while none was chosen).
bool LoadPlayerSettings();  // after LoadSettings, which makes the key
bool SavePlayerSettings();  // after SaveSettings
