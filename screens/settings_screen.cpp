// The settings screen: two switches and six bubble sliders over the picture.
#include <algorithm>

#include "audio/cd.h"
#include "persist/settings.h"
#include "screens/blit.h"
#include "screens/display.h"
#include "screens/pad.h"

namespace {

constexpr dd::RECT ButtonOff{0, 0, 19, 19};
constexpr dd::RECT ButtonOn{20, 0, 39, 19};
constexpr dd::RECT SliderTrack{40, 0, 240, 19};
constexpr dd::RECT SliderKnob{244, 0, 258, 19};
constexpr uint32_t SliderMax = 192;

}  // namespace

bool DisplayControlButton(int32_t x, int32_t y, bool on) {
  return BackBlt(x, y, Video.ddsControls.get(), on ? &ButtonOn : &ButtonOff, SpriteFlags,
                 "ddsControls: BltFast");
}

bool DisplayControlSlider(int32_t x, int32_t y, uint32_t value) {
  if (!BackBlt(x, y, Video.ddsControls.get(), &SliderTrack, SpriteFlags,
               "ddsControls: BltFast (posuvnik)"))
    return false;
  // A value beyond the track (a hand-edited registry) stands at its right end.
  const auto offset = static_cast<int32_t>(std::min(value, SliderMax));
  return BackBlt(x + offset, y - 1, Video.ddsControls.get(), &SliderKnob, SpriteFlags,
                 "ddsControls: BltFast (tlacidlo)");
}

bool DisplaySettings() {
  if (!DisplaySettingsBckg() || !DisplayControlButton(663, 508, CD.CDOpen) ||
      !DisplayControlButton(684, 419, Settings.UseSound))
    return false;
  const uint32_t values[] = {Settings.NauvrelBubbles,   Settings.NauvrelExplBubbles,
                             Settings.MineBubbles,      Settings.TorpedoBubbles,
                             Settings.BarelExplBubbles, Settings.BarelFloatBubbles};
  const int32_t heights[] = {84, 140, 195, 252, 308, 365};
  for (int i = 0; i < 6; ++i)
    if (!DisplayControlSlider(589, heights[i], values[i])) return false;
  return DisplayPadHighlight();
}
