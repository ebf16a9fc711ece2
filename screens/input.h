#pragma once
// Keys and clicks, by mode.
#include <cstdint>

bool OnKeyDown(uint16_t key);
bool OnMouseClick(uint16_t x, uint16_t y);
bool OnMenuClick(uint16_t x, uint16_t y);
bool OnSettingsClick(uint16_t x, uint16_t y);
// Derives the bubble parameters from the six bubble settings.
void ApplySettings();
