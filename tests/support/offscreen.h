#pragma once
// An off-screen surface as the game creates them: caps, width and height only.
#include <memory>

#include "platform/ddraw.h"

std::unique_ptr<dd::Surface> MakeOffscreen(dd::DirectDraw& device, int width, int height);
