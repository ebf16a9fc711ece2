// Pictures out of the file system, decoded once and kept for the whole run.
#include "fs/file_system.h"
#include "fs/tfile.h"
#include "video/video.h"

std::unique_ptr<pic::Picture> sysLoadImage(const char* path) {
  if (!FileSystem.Files) return nullptr;
  std::unique_ptr<TFile> file = FS_Open(FileSystem.Files, path);
  if (!file) return nullptr;
  GlobalBlock block = FS_ReadAll(*file);
  file.reset();
  if (!block) return nullptr;  // an empty stream: nothing the decoder accepts
  std::unique_ptr<pic::Picture> picture = pic::OleLoadPicture(block.Lock());
  block.Free();
  return picture;
}

void sysReleasePictures() {
  for (auto picture :
       {&VideoState::imgMenuBckg, &VideoState::imgBackground1, &VideoState::imgBackground2,
        &VideoState::imgBackground3, &VideoState::imgGame, &VideoState::imgMenuSel,
        &VideoState::imgBarel, &VideoState::imgDigits, &VideoState::imgLogo, &VideoState::imgBonus,
        &VideoState::imgHelp1, &VideoState::imgHelp2, &VideoState::imgHelp3,
        &VideoState::imgSettings, &VideoState::imgControls, &VideoState::imgNauvrelExpl,
        &VideoState::imgHiScore, &VideoState::imgFont, &VideoState::imgNauvrelExplB})
    (Video.*picture).reset();
}
