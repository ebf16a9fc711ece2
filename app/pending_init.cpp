// Placeholder until the start-up sequence lands: nothing to bring up.
#include <cmath>

#include "app/init.h"

bool sysInit() {
  FillDirectionTable();
  return true;
}
void sysReleaseAll() {}

void FillDirectionTable() {
  constexpr double Pi = 3.14159265358979;
  for (int i = 0; i < 36; ++i) {
    DirCos[i] = std::cos(i * Pi / 18);
    DirSin[i] = std::sin(i * Pi / 18);
  }
}
