// The screens that are one picture stretched over the whole back buffer.
#include "app/shell.h"
#include "screens/display.h"
#include "video/video.h"

namespace {

struct PictureMessages {
  const char* width;
  const char* height;
  const char* getDC;
  const char* render;
};

// Rendered from the bottom edge upwards, so the picture stands upright.
bool DisplayPicture(const pic::Picture* picture, int32_t height, const PictureMessages& m) {
  pic::OLE_XSIZE_HIMETRIC sourceWidth = 0;
  pic::OLE_YSIZE_HIMETRIC sourceHeight = 0;
  if (!picture || dd::Failed(picture->get_Width(&sourceWidth))) return sysShowError(m.width);
  if (dd::Failed(picture->get_Height(&sourceHeight))) return sysShowError(m.height);
  dd::HDC* dc = nullptr;
  if (!Video.BackBuffer || dd::Failed(Video.BackBuffer->GetDC(dc))) return sysShowError(m.getDC);
  const bool rendered = !dd::Failed(
      picture->Render(dc, 0, 600, 800, -height, 0, 0, sourceWidth, sourceHeight, nullptr));
  Video.BackBuffer->ReleaseDC(dc);
  return rendered || sysShowError(m.render);
}

}  // namespace

bool DisplayLogo() {
  return DisplayPicture(Video.imgLogo.get(), 601,
                        {"get_Width: imgLogo", "get_Height: imgLogo",
                         "DisplayLogo: GetDC: BackBuffer", "DisplayLogo: Render: imgLogo"});
}

bool DisplayHelp(int page) {
  const pic::Picture* picture = page == 1   ? Video.imgHelp1.get()
                                : page == 2 ? Video.imgHelp2.get()
                                            : Video.imgHelp3.get();
  return DisplayPicture(
      picture, 600,
      {"get_Width: imgHelp", "get_Height: imgHelp", "GetDC: BackBuffer", "Render: imgHelp"});
}

bool DisplaySettingsBckg() {
  return DisplayPicture(Video.imgSettings.get(), 600,
                        {"get_Width: imgSettings", "get_Height: imgSettings", "GetDC: BackBuffer",
                         "Render: imgSettings"});
}

bool DisplayHSBckg() {
  return DisplayPicture(Video.imgHiScore.get(), 600,
                        {"get_Width: imgHiScore", "get_Height: imgHiScore",
                         "DisplayHSBckg: GetDC: BackBuffer", "DisplayHSBckg: Render: imgHiScore"});
}
