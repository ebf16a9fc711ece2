// The palettes of an 8-bit display, each made from the palette of one picture.
#include "app/shell.h"
#include "video/video.h"

namespace {

using SurfaceHandle = std::unique_ptr<dd::Surface> VideoState::*;

struct Attachment {
  SurfaceHandle surface;
  const char* message;
};

struct PaletteRow {
  std::unique_ptr<dd::Palette> VideoState::*palette;
  std::unique_ptr<pic::Picture> VideoState::*picture;
  const char* getMessage;
  const char* copyMessage;
  const char* createMessage;
  std::vector<Attachment> attachments;
};

const PaletteRow& Row(size_t i) {
  static const PaletteRow rows[] = {
      {&VideoState::dplGame,
       &VideoState::imgGame,
       "get_hPal: imgGame",
       "GetPaletteEntries: imgGame",
       "CreatePalette: imgGame",
       {{&VideoState::ddsGame, "SetPalette: ddsGame"},
        {&VideoState::ddsBonus, "SetPalette: ddsBonus"},
        {&VideoState::ddsBarel, "SetPalette: ddsBarel"},
        {&VideoState::ddsDigits, "SetPalette: ddsDigits"},
        {&VideoState::ddsBackground, "SetPalette: ddsBackground"},
        {&VideoState::ddsNauvrelExplB, "SetPalette: ddsNauvrelExplB"},
        {&VideoState::ddsNauvrelExpl, "SetPalette: ddsNauvrelExpl"}}},
      {&VideoState::dplLogo,
       &VideoState::imgLogo,
       "get_HPal: imgLogo",
       "GetPaletteEntries: imgLogo",
       "CreatePalette: imgLogo",
       {}},
      {&VideoState::dplHelp,
       &VideoState::imgHelp1,
       "get_hPal: imgHelp",
       "GetPaletteEntries: imgHelp",
       "CreatePalette: imgHelp",
       {}},
      {&VideoState::dplMenu,
       &VideoState::imgMenuBckg,
       "get_hPal: imgMenu",
       "GetPaletteEntries: imgMenu",
       "CreatePalette: imgMenu",
       {{&VideoState::ddsMenuBckg, "SetPalette: ddsMenuBckg"},
        {&VideoState::ddsMenuSel, "SetPalette: ddsMenuSel"}}},
      {&VideoState::dplSettings,
       &VideoState::imgSettings,
       "get_hPal: imgSettings",
       "GetpaletteEntries: imgSettings",
       "CreatePalette: imgSettings",
       {{&VideoState::ddsControls, "SetPalette: ddsControls"}}},
      {&VideoState::dplHiScore,
       &VideoState::imgHiScore,
       "get_hPal: imgHiScore",
       "GetPaletteEntries: imgHiScore",
       "CreatePalette: imgHiScore",
       {{&VideoState::ddsFont, "SetPalette: dplHiScore"}}},
  };
  return rows[i];
}
constexpr size_t PaletteCount = 6;

bool BuildPalette(const PaletteRow& row) {
  const pic::Picture* picture = (Video.*row.picture).get();
  pic::HPALETTE handle = nullptr;
  if (!picture || dd::Failed(picture->get_hPal(&handle))) return sysShowError(row.getMessage);
  std::array<dd::PALETTEENTRY, 256> entries{};
  if (pic::GetPaletteEntries(handle, 0, 256, entries.data()) == 0)
    return sysShowError(row.copyMessage);
  if (!Video.ddObject || dd::Failed(Video.ddObject->CreatePalette(dd::DDPCAPS_8BIT, entries.data(),
                                                                  Video.*row.palette)))
    return sysShowError(row.createMessage);
  for (const Attachment& a : row.attachments) {
    if (a.surface == &VideoState::ddsBackground && !Switches.ShowBackground) continue;
    dd::Surface* surface = (Video.*a.surface).get();
    if (!surface || dd::Failed(surface->SetPalette((Video.*row.palette).get())))
      return sysShowError(a.message);
  }
  return true;
}

}  // namespace

bool sysCreatePalettes(int depth) {
  if (depth != 8) return true;
  for (size_t i = 0; i < PaletteCount; ++i)
    if (!BuildPalette(Row(i))) return false;
  return true;
}

void sysReleasePalettes() {
  Video.dplGame.reset();
  Video.dplMenu.reset();
  Video.dplLogo.reset();
  Video.dplHelp.reset();
  Video.dplSettings.reset();
  Video.dplHiScore.reset();
}
