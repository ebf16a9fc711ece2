#pragma once
// The mouse's hit rectangles, all four edges inclusive.
#include <array>
#include <cstdint>

#include "screens/modes.h"

struct HitRect {
  int32_t left, top, right, bottom;
  bool Contains(int32_t x, int32_t y) const {
    return left <= x && x <= right && top <= y && y <= bottom;
  }
};

// The settings item reaches 874 so that it also takes clicks up to the screen's right edge.
constexpr HitRect MenuHit(MenuCommand item) {
  switch (item) {
    case mcNewGame:
      return {597, 21, 784, 50};
    case mcContinue:
      return {554, 65, 784, 96};
    case mcSettings:
      return {574, 109, 874, 140};
    case mcHiScore:
      return {598, 153, 784, 185};
    case mcHelp:
      return {689, 197, 784, 229};
    case mcQuit:
      return {666, 241, 784, 276};
  }
  return {0, 0, -1, -1};
}

constexpr HitRect SoundButtonHit{685, 420, 702, 437};
constexpr HitRect CDButtonHit{664, 509, 681, 526};

// The six bubble sliders share one width; a click sets the value to x - SliderLeft.
constexpr int32_t SliderLeft = 593;
constexpr int32_t SliderRight = 785;
constexpr int32_t SliderHeight = 19;
constexpr std::array<int32_t, 6> SliderTops{84, 140, 195, 252, 308, 365};
