// The main menu: its picture, and the item under the mouse drawn highlighted.
#include "app/shell.h"
#include "screens/blit.h"
#include "screens/display.h"
#include "screens/hit_rects.h"

namespace {

struct Highlight {
  dd::RECT source;
  const char* message;
};

// The highlight's destination is its source moved 550 pixels to the right.
const Highlight* HighlightFor(MenuCommand item) {
  static const Highlight highlights[] = {
      {{47, 21, 234, 50}, "BltFast: ddsMenuSel: mcNewGame"},
      {{4, 65, 234, 93}, "BltFast: ddsMenuSel: mcContinue"},
      {{48, 153, 233, 181}, "BltFast: ddsMenuSel: mcHiScore"},
      {{24, 109, 232, 137}, "BltFast: ddsMenuSel: mcSettings"},
      {{139, 197, 233, 232}, "BltFast: ddsMenuSel: mcHelp"},
      {{116, 241, 233, 269}, "BltFast: ddsMenuSel: mcQuit"},
  };
  if (item < mcNewGame || item > mcQuit) return nullptr;
  return &highlights[item - mcNewGame];
}

}  // namespace

bool DisplayMenuBckg() {
  return BackBlt(0, 0, Video.ddsMenuBckg.get(), nullptr, OpaqueFlags, "DisplayMenuBckg");
}

bool DisplayMenuSel(MenuCommand item) {
  const Highlight* highlight = HighlightFor(item);
  if (!highlight) return true;
  return BackBlt(highlight->source.left + 550, highlight->source.top, Video.ddsMenuSel.get(),
                 &highlight->source, OpaqueFlags, highlight->message);
}

bool DisplayMenu() {
  if (!DisplayMenuBckg()) return false;
  const bool inProgress = IsGameInProgress();
  for (MenuCommand item : {mcNewGame, mcContinue, mcSettings, mcHiScore, mcHelp, mcQuit}) {
    if (item == mcContinue && !inProgress) continue;
    if (MenuHit(item).Contains(Shell.MouseX, Shell.MouseY) && !DisplayMenuSel(item)) return false;
  }
  return true;
}
