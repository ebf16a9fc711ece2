// The renderer: SDL's own choice where SDL_RENDER_DRIVER names one, software where OpenGL is
// drawn by the CPU, the GPU otherwise (or where OpenGL cannot tell).
#include "platform/display/renderer_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(RendererChoice, SoftwareOnlyWhereOpenGlIsACpuRasteriserAndTheHintAlwaysWins) {
  using dd::RendererPath;
  struct Case {
    const char* hint;
    const char* glRenderer;
    RendererPath path;
  } cases[] = {
      {"", "llvmpipe (LLVM 15.0.6, 256 bits)", RendererPath::Software},
      {"", "Gallium 0.4 on softpipe", RendererPath::Software},
      {"", "Mesa DRI SWRAST", RendererPath::Software},
      {"", "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)",
       RendererPath::Accelerated},
      {"", "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", RendererPath::Accelerated},
      {"", "", RendererPath::Accelerated},  // no OpenGL: try, and fall back to software
      {"opengl", "llvmpipe (LLVM 15.0.6, 256 bits)", RendererPath::AsAsked},
      {"software", "NVIDIA GeForce GTX 1080/PCIe/SSE2", RendererPath::AsAsked},
  };
  for (const Case& c : cases) {
    const dd::RendererChoice choice = dd::ChooseRenderer(c.hint, c.glRenderer);
    EXPECT_EQ(choice.path, c.path) << c.hint << " / " << c.glRenderer;
    if (*c.glRenderer && !*c.hint) {  // the log says what was found
      EXPECT_NE(choice.reason.find(c.glRenderer), std::string::npos) << choice.reason;
    }
  }
}

}  // namespace
