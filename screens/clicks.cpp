// Mouse-button releases, by mode: the menu items and the settings controls.
#include "app/shell.h"
#include "audio/cd.h"
#include "audio/sound.h"
#include "persist/settings.h"
#include "screens/hit_rects.h"
#include "screens/input.h"
#include "screens/modes.h"
#include "screens/transitions.h"

namespace {

bool ToggleCDMusic() {
  if (CD.CDOpen) return cdClose();
  if (!cdInit()) return false;
  return !CD.CDOpen || cdResume();
}

uint32_t* SliderSetting(size_t index) {
  uint32_t* const settings[] = {&Settings.NauvrelBubbles,   &Settings.NauvrelExplBubbles,
                                &Settings.MineBubbles,      &Settings.TorpedoBubbles,
                                &Settings.BarelExplBubbles, &Settings.BarelFloatBubbles};
  return settings[index];
}

}  // namespace

bool OnMenuClick(uint16_t x, uint16_t y) {
  // Every item is tested; the rectangles do not overlap, so one acts at most.
  const auto hit = [&](MenuCommand item) { return MenuHit(item).Contains(x, y); };
  if (hit(mcQuit)) {
    if (!sndPlayMenuClick()) return false;
    win::PostMessage(Shell.Window, win::WM_CLOSE, 0, 0);
  }
  if (hit(mcNewGame) && !(sndPlayMenuClick() && NewGame())) return false;
  if (IsGameInProgress() && hit(mcContinue) && !(sndPlayMenuClick() && ContinueGame()))
    return false;
  if (hit(mcHelp) && !ClickAndEnter(gmHelp1)) return false;
  if (hit(mcSettings) && !ClickAndEnter(gmSettings)) return false;
  if (hit(mcHiScore) && !ClickAndEnter(gmHiScore)) return false;
  return true;
}

bool OnSettingsClick(uint16_t x, uint16_t y) {
  // Without sound for the run the sound button is not there.
  if (!Switches.NoSound && SoundButtonHit.Contains(x, y)) {
    Settings.UseSound = !Settings.UseSound;
  } else if (CDButtonHit.Contains(x, y)) {
    if (!ToggleCDMusic()) return false;
  } else {
    size_t slider = 0;
    while (slider < SliderTops.size() &&
           !HitRect{SliderLeft, SliderTops[slider], SliderRight, SliderTops[slider] + SliderHeight}
                .Contains(x, y))
      ++slider;
    if (slider == SliderTops.size()) return true;  // nothing hit: no click
    *SliderSetting(slider) = static_cast<uint32_t>(x - SliderLeft);
  }
  // After the change, so switching the sound off is silent and switching it on is heard.
  if (!sndPlayMenuClick()) return false;
  ApplySettings();
  return true;
}

bool OnMouseClick(uint16_t x, uint16_t y) {
  switch (Screen.Mode) {
    case gmLogo:
    case gmHiScore:
    case gmHelp1:
    case gmHelp2:
    case gmHelp3:
      return ClickAndEnter(PageAfter(Screen.Mode));
    case gmMenu:
      return OnMenuClick(x, y);
    case gmSettings:
      return OnSettingsClick(x, y);
    case gmPlay:
      // A click neither fires nor pauses.
      return !Screen.LevelIntro || EndIntroduction();
  }
  return true;
}
