// Controller presses, by mode. The highlight moves across the same hit rectangles the mouse
// uses, and A clicks the middle of the one highlighted, so every screen keeps its rules.
#include "screens/pad.h"

#include <algorithm>
#include <vector>

#include "app/shell.h"
#include "persist/settings.h"
#include "screens/hit_rects.h"
#include "screens/input.h"
#include "video/video.h"

namespace {

constexpr char Letters[] = " ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int32_t LetterCount = sizeof Letters - 1;
constexpr int32_t SliderStep = 8;
constexpr size_t SoundTarget = SliderTops.size();
constexpr size_t CDTarget = SliderTops.size() + 1;

std::vector<HitRect> Targets() {
  std::vector<HitRect> targets;
  if (Screen.Mode == gmMenu) {
    for (MenuCommand item : {mcNewGame, mcContinue, mcSettings, mcHiScore, mcHelp, mcQuit})
      if (item != mcContinue || IsGameInProgress()) targets.push_back(MenuHit(item));
  } else if (Screen.Mode == gmSettings) {
    for (int32_t top : SliderTops)
      targets.push_back({SliderLeft, top, SliderRight, top + SliderHeight});
    if (!Switches.NoSound) targets.push_back(SoundButtonHit);
    targets.push_back(CDButtonHit);
  }
  return targets;
}

int32_t CentreX(const HitRect& r) { return (r.left + std::min(r.right, 799)) / 2; }
int32_t CentreY(const HitRect& r) { return (r.top + r.bottom) / 2; }

// The mouse stands where the highlight is, so the menu draws it as for the mouse.
void MoveFocus(int32_t step) {
  const std::vector<HitRect> targets = Targets();
  if (Pad.Mode != Screen.Mode) Pad = PadState{Screen.Mode};
  if (targets.empty()) return;
  const auto count = static_cast<int32_t>(targets.size());
  Pad.Focus = Pad.Focus < 0 ? 0 : (Pad.Focus + step + count) % count;
  Shell.MouseX = CentreX(targets[Pad.Focus]);
  Shell.MouseY = CentreY(targets[Pad.Focus]);
}

uint32_t& Slider(int32_t index) {
  uint32_t* const settings[] = {&Settings.NauvrelBubbles,   &Settings.NauvrelExplBubbles,
                                &Settings.MineBubbles,      &Settings.TorpedoBubbles,
                                &Settings.BarelExplBubbles, &Settings.BarelFloatBubbles};
  return *settings[index];
}

bool Focused() { return Pad.Mode == Screen.Mode && Pad.Focus >= 0; }

bool ClickFocus() {
  if (!Focused()) return true;
  const std::vector<HitRect> targets = Targets();
  if (Pad.Focus >= static_cast<int32_t>(targets.size())) return true;
  const HitRect& r = targets[Pad.Focus];
  return OnMouseClick(static_cast<uint16_t>(CentreX(r)), static_cast<uint16_t>(CentreY(r)));
}

// Left and right move a slider as a click beside its knob would.
bool NudgeSlider(int32_t direction) {
  if (!Focused() || Pad.Focus >= static_cast<int32_t>(SliderTops.size())) return true;
  const int32_t value = std::clamp(
      static_cast<int32_t>(std::min<uint32_t>(Slider(Pad.Focus), 192)) + direction * SliderStep, 0,
      192);
  return OnMouseClick(static_cast<uint16_t>(SliderLeft + value),
                      static_cast<uint16_t>(SliderTops[Pad.Focus] + SliderHeight / 2));
}

bool NameEntryPress(win::WPARAM press) {
  Pad.Choosing = true;
  switch (press) {
    case win::PAD_UP:
    case win::PAD_DOWN:
      Pad.Letter = (Pad.Letter + (press == win::PAD_UP ? LetterCount - 1 : 1)) % LetterCount;
      return true;
    case win::PAD_A:
    case win::PAD_RIGHT:
      return OnKeyDown(static_cast<uint16_t>(Letters[Pad.Letter]));
    case win::PAD_B:
    case win::PAD_LEFT:
      return OnKeyDown(win::VK_BACK);
    case win::PAD_START: {
      Pad.Choosing = false;
      return OnKeyDown(win::VK_RETURN);
    }
    default:
      return true;
  }
}

bool PlayPress(win::WPARAM press) {
  if (Screen.LevelIntro) return OnKeyDown(win::VK_RETURN);
  if (Screen.NameEntry) return NameEntryPress(press);
  switch (press) {
    case win::PAD_A:
      return OnKeyDown(win::VK_SPACE);
    case win::PAD_B:
    case win::PAD_TRIGGER:
      return OnKeyDown(win::VK_CONTROL);
    case win::PAD_START:
    case win::PAD_BACK:
      return OnKeyDown(win::VK_ESCAPE);
    default:
      return true;
  }
}

}  // namespace

bool OnPadPress(win::WPARAM press) {
  switch (Screen.Mode) {
    case gmPlay:
      return PlayPress(press);
    case gmLogo:
    case gmHiScore:
    case gmHelp1:
    case gmHelp2:
    case gmHelp3:
      // No targets here: any button goes on, as any key does.
      return press == win::PAD_A || press == win::PAD_B || press == win::PAD_START
                 ? OnKeyDown(win::VK_RETURN)
                 : true;
    case gmMenu:
    case gmSettings:
      break;
  }
  switch (press) {
    case win::PAD_UP:
      MoveFocus(-1);
      return true;
    case win::PAD_DOWN:
      MoveFocus(1);
      return true;
    case win::PAD_LEFT:
    case win::PAD_RIGHT:
      return Screen.Mode != gmSettings || NudgeSlider(press == win::PAD_LEFT ? -1 : 1);
    case win::PAD_A:
      return ClickFocus();
    case win::PAD_B:
    case win::PAD_BACK:
      // Back from the settings as Esc; in the menu Esc would quit, so B does nothing there.
      return Screen.Mode != gmSettings || OnKeyDown(win::VK_ESCAPE);
    default:
      return true;
  }
}

bool DisplayPadHighlight() {
  if (Screen.Mode != gmSettings || !Focused() || !Video.BackBuffer) return true;
  const std::vector<HitRect> targets = Targets();
  if (Pad.Focus >= static_cast<int32_t>(targets.size())) return true;
  const HitRect& r = targets[Pad.Focus];
  const int32_t left = std::max(r.left - 3, 0), top = std::max(r.top - 3, 0);
  const int32_t right = std::min(r.right + 4, 800), bottom = std::min(r.bottom + 4, 600);
  const dd::RECT edges[] = {{left, top, right, top + 2},
                            {left, bottom - 2, right, bottom},
                            {left, top, left + 2, bottom},
                            {right - 2, top, right, bottom}};
  dd::DDBLTFX fx;
  fx.dwFillColor = 0xFFFFFFFF;  // white at 16 and 32 bits, the last entry at 8
  for (const dd::RECT& edge : edges)
    if (dd::Failed(Video.BackBuffer->Blt(&edge, nullptr, nullptr,
                                         dd::DDBLT_COLORFILL | dd::DDBLT_WAIT, &fx)))
      return sysShowError("DisplayPadHighlight: Blt: BackBuffer");
  return true;
}

char PadLetter() { return Pad.Choosing && Screen.NameEntry ? Letters[Pad.Letter] : 0; }
