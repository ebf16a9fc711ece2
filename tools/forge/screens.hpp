#pragma once

#include "picture.hpp"

namespace forge {

// The full-screen pictures, 800 × 600 unless said otherwise.
Picture makeBackground(int index);  // 0 to 2
Picture makeMenu(bool highlighted);
Picture makeMenuSel();  // 250 × 280: the right part of the highlighted menu
Picture makeLogo();
Picture makeHelp(int page);  // 1 to 3
Picture makeSettings();
Picture makeHiScore();

}  // namespace forge
