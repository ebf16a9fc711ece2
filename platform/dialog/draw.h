#pragma once
// For the dialog module only: layout, drawing and the dialog's own window.
#include <SDL.h>

#include <cstdint>

#include "platform/dialog/state.h"

namespace dlg {

constexpr int ItemHeight = 26;
constexpr int NoItem = -2;

SDL_Rect ControlRect(const Control& c);  // the whole control, in window pixels
SDL_Rect FieldRect(const Control& c);    // the clickable part (a combo box's closed field)
SDL_Rect ListRect(const Control& c, bool dropped);
bool Contains(const SDL_Rect& r, int x, int y);
// The item under a point of a list box, or of a combo box's open list; NoItem elsewhere.
int ItemAt(const Control& c, int x, int y, bool dropped);

bool DisplayAvailable();
bool OpenDialogWindow(Dialog& dialog);
void CloseDialogWindow(Dialog& dialog);
void DrawDialog(Dialog& dialog);
void ScrollBy(Dialog& dialog, int wheel);
uint16_t VirtualKeyOf(const SDL_Keysym& key);

}  // namespace dlg
