#pragma once
// The main window as WinMain makes it, with a procedure that handles nothing itself: for
// tests that run the start-up steps on their own.
bool OpenQuietWindow();
void CloseQuietWindow();

#include <functional>
#include <memory>
#include <vector>

#include "platform/display/ddraw.h"

// The quiet window in the game's exclusive 800 x 600 mode at `depth`, with a flipping
// primary and its back buffer; closed again, scaling back to smooth, at the end.
struct QuietFlipWindow {
  explicit QuietFlipWindow(int depth);
  ~QuietFlipWindow();
  // The game's mode at another depth, with a new flipping primary.
  void SetDepth(int depth);
  // Sets the window's size and takes the messages that follow.
  void Resize(int w, int h);
  // Writes value(x, y) into the back buffer, flips, and gives the window's pixels and size.
  std::vector<uint32_t> Show(const std::function<uint32_t(int x, int y)>& value, int& w, int& h);
  std::unique_ptr<dd::DirectDraw> device;
  std::unique_ptr<dd::Surface> primary;
  dd::Surface* back = nullptr;
};
