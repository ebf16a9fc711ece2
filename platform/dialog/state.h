#pragma once
// For the dialog module only: a running dialog and its controls.
#include <SDL.h>

#include <string>
#include <vector>

#include "platform/dialog/dialog.h"

namespace dlg {

struct Item {
  std::string text;
  LPARAM data = 0;
};

struct Control {
  ControlTemplate tmpl{};
  std::vector<Item> items;
  int selection = -1;
  int top = 0;        // first visible item
  bool open = false;  // drop-down list shown

  INT_PTR Handle(uint32_t message, WPARAM wParam, LPARAM lParam);
  int VisibleRows() const;
  void ScrollToSelection();
};

struct Dialog {
  Dialog(const DialogTemplate& t, DLGPROC p);
  const DialogTemplate& tmpl;
  DLGPROC proc;
  std::vector<Control> controls;
  int focus = 0;
  bool ended = false;
  INT_PTR result = IDCANCEL;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
};

}  // namespace dlg
