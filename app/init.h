#pragma once
// Bringing everything up in its fixed order, and giving it back.
#include <array>

bool sysInit();
void sysReleaseAll();

// Unit vectors in 10-degree steps, filled by sysInit; the bubbles drift along them.
inline std::array<double, 36> DirCos{};
inline std::array<double, 36> DirSin{};
void FillDirectionTable();
