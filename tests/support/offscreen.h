#pragma once
// Surfaces as the game creates them: an off-screen one (caps, width and height only), and
// a flipping primary with one back buffer.
#include <memory>

#include "platform/display/ddraw.h"

std::unique_ptr<dd::Surface> MakeOffscreen(dd::DirectDraw& device, int width, int height);
// The back buffer is left in `back`; null when the chain could not be made.
std::unique_ptr<dd::Surface> MakeFlipChain(dd::DirectDraw& device, dd::Surface*& back);
