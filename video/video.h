#pragma once
// The display chain, the off-screen surfaces, the decoded pictures and the 8-bit palettes.
#include <cstdint>
#include <memory>

#include "platform/display/ddraw.h"
#include "platform/picture/picture.h"

struct VideoState {
  std::unique_ptr<dd::DirectDraw> ddObject;
  std::unique_ptr<dd::Surface> PrimarySurface;
  dd::Surface* BackBuffer = nullptr;  // attached to PrimarySurface, never released alone
  int RequestedDepth = 32;            // decides pictures and palettes, also after a fallback

  std::unique_ptr<dd::Surface> ddsBackground, ddsGame, ddsBarel, ddsBonus, ddsDigits,
      ddsNauvrelExpl, ddsMenuSel, ddsMenuBckg, ddsControls, ddsFont, ddsNauvrelExplB;

  std::unique_ptr<pic::Picture> imgMenuBckg, imgBackground1, imgBackground2, imgBackground3,
      imgGame, imgMenuSel, imgBarel, imgDigits, imgLogo, imgBonus, imgHelp1, imgHelp2, imgHelp3,
      imgSettings, imgControls, imgNauvrelExpl, imgHiScore, imgFont, imgNauvrelExplB;

  std::unique_ptr<dd::Palette> dplGame, dplMenu, dplLogo, dplHelp, dplSettings, dplHiScore;

  int BackgroundIndex = 0;
};
inline VideoState Video;

// Display set-up: device, cooperative level, mode (with the 24 and 16 fallbacks), chain.
bool sysSetupDisplay(const dd::GUID* device, int depth, int refreshRate);
bool sysCreateSurfaces();
bool sysCreatePalettes(int depth);
void sysReleaseSurfaces();
void sysReleasePalettes();
void sysReleaseDisplay();  // PrimarySurface (with BackBuffer), then ddObject
void sysReleasePictures();

// None when the file is missing or the decoder rejects it.
std::unique_ptr<pic::Picture> sysLoadImage(const char* path);
bool sysRestoreSurfaces();
bool sysRestoreBackground(int index);
bool sysRestoreFont();

// Bytes below 20 print as blanks; glyphs are cut at the back buffer's edges.
bool sysPrintChar(int x, int y, const char* text);
bool sysDarkRect(const dd::RECT& rect);
// Lines split at byte 10; the text is only read.
bool sysTextBox(const char* text);

// The display-mode dialog: true on OK, with the chosen depth, refresh rate and device
// (null for the default device).
bool sysSelectMode(int& depth, int& refreshRate, const dd::GUID*& device);
