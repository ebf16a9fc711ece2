#pragma once
// Bringing everything up in its fixed order, and giving it back.
#include <array>

#include "platform/display/ddraw.h"

bool sysInit();
void sysReleaseAll();
// The steps from the display set-up on, for the chosen device, depth and refresh rate.
bool sysInitDisplay(const dd::GUID* device, int depth, int refreshRate);

// Unit vectors in 10-degree steps, filled by sysInit; the bubbles drift along them.
inline std::array<double, 36> DirCos{};
inline std::array<double, 36> DirSin{};
void FillDirectionTable();
