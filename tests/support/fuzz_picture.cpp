#include <span>

#include "platform/display/ddraw.h"
#include "platform/picture/picture.h"
#include "support/fuzz_entries.h"

void FuzzPictureLoad(const uint8_t* data, size_t size) {
  auto picture = pic::OleLoadPicture(std::span<const uint8_t>(data, size));
  if (!picture) return;
  pic::OLE_XSIZE_HIMETRIC width = 0;
  pic::OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  pic::HPALETTE palette = nullptr;
  picture->get_hPal(&palette);
  dd::PALETTEENTRY entries[256];
  const uint32_t copied = pic::GetPaletteEntries(palette, 0, 256, entries);
  dd::Palette own(entries);
  for (int bits : {8, 32}) {
    dd::Surface surface(37, 23, bits);
    if (bits == 8 && copied) surface.SetPalette(&own);
    dd::HDC* dc = nullptr;
    if (dd::Failed(surface.GetDC(dc))) continue;
    picture->Render(dc, 0, 23, 37, -23, 0, 0, width, height, nullptr);
    surface.ReleaseDC(dc);
  }
}
