#include "platform/dialog/dialog.h"

#include <SDL.h>

#include <algorithm>

#include "platform/dialog/draw.h"
#include "platform/dialog/state.h"

namespace dlg {
namespace {

testing::Driver TestDriver;

Control* Find(HDLG dialog, int id) {
  for (Control& c : dialog->controls)
    if (c.tmpl.id == id) return &c;
  return nullptr;
}

void Notify(HDLG dialog, const Control& control, uint16_t code) {
  dialog->proc(dialog, WM_COMMAND, MAKEWPARAM(static_cast<uint16_t>(control.tmpl.id), code), 0);
}

bool IsButton(const Control& c) {
  return c.tmpl.kind == ControlKind::PushButton || c.tmpl.kind == ControlKind::DefPushButton;
}

void Press(HDLG dialog, Control& button) { Notify(dialog, button, BN_CLICKED); }

void Select(HDLG dialog, Control& list, int index) {
  if (list.items.empty()) return;
  index = std::clamp(index, 0, static_cast<int>(list.items.size()) - 1);
  if (index == list.selection) return;
  list.selection = index;
  list.ScrollToSelection();
  Notify(dialog, list, list.tmpl.kind == ControlKind::ComboBox ? CBN_SELCHANGE : LBN_SELCHANGE);
}

Control* OpenCombo(HDLG dialog) {
  for (Control& c : dialog->controls)
    if (c.open) return &c;
  return nullptr;
}

// The keys of a dialog: Tab moves the focus, arrows select, Enter is the default button,
// Escape cancels, Alt+Down or F4 opens the drop-down list.
void OnKey(HDLG dialog, uint16_t key, bool shift, bool alt) {
  Control* focus = dialog->focus >= 0 ? &dialog->controls[dialog->focus] : nullptr;
  const bool list = focus && !IsButton(*focus);
  switch (key) {
    case win::VK_TAB: {
      const int n = static_cast<int>(dialog->controls.size());
      if (Control* open = OpenCombo(dialog)) open->open = false;
      dialog->focus = (dialog->focus + (shift ? n - 1 : 1)) % n;
      return;
    }
    case win::VK_UP:
    case win::VK_DOWN:
      if (list && alt && focus->tmpl.kind == ControlKind::ComboBox) {
        focus->open = !focus->open;
      } else if (list) {
        const int start = focus->selection < 0 ? (key == win::VK_DOWN ? -1 : 1) : focus->selection;
        Select(dialog, *focus, start + (key == win::VK_DOWN ? 1 : -1));
      }
      return;
    case win::VK_HOME:
      if (list) Select(dialog, *focus, 0);
      return;
    case win::VK_END:
      if (list) Select(dialog, *focus, static_cast<int>(focus->items.size()) - 1);
      return;
    case win::VK_PRIOR:
    case win::VK_NEXT:
      if (list)
        Select(
            dialog, *focus,
            std::max(focus->selection, 0) + (key == win::VK_NEXT ? 1 : -1) * focus->VisibleRows());
      return;
    case win::VK_F1 + 3:  // F4
      if (list && focus->tmpl.kind == ControlKind::ComboBox) focus->open = !focus->open;
      return;
    case win::VK_SPACE:
      if (focus && IsButton(*focus)) Press(dialog, *focus);
      return;
    case win::VK_RETURN:
      if (Control* open = OpenCombo(dialog)) {
        open->open = false;
        return;
      }
      if (focus && IsButton(*focus)) return Press(dialog, *focus);
      for (Control& c : dialog->controls)
        if (c.tmpl.kind == ControlKind::DefPushButton) return Press(dialog, c);
      return;
    case win::VK_ESCAPE:
      if (Control* open = OpenCombo(dialog)) {
        open->open = false;
        return;
      }
      dialog->proc(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return;
    default:
      return;
  }
}

void OnClickControl(HDLG dialog, Control& c) {
  dialog->focus = static_cast<int>(&c - dialog->controls.data());
  if (c.tmpl.kind == ControlKind::ComboBox) {
    c.open = !c.open;
  } else if (IsButton(c)) {
    if (Control* open = OpenCombo(dialog)) open->open = false;
    Press(dialog, c);
  }
}

void OnClickItem(HDLG dialog, Control& c, int index) {
  dialog->focus = static_cast<int>(&c - dialog->controls.data());
  if (index >= 0 && index < static_cast<int>(c.items.size())) Select(dialog, c, index);
  c.open = false;
}

void OnMouse(HDLG dialog, int x, int y) {
  // An open drop-down list lies over the controls below it.
  if (Control* open = OpenCombo(dialog)) {
    const int item = ItemAt(*open, x, y, true);
    if (item != NoItem) return OnClickItem(dialog, *open, item);
    if (!Contains(FieldRect(*open), x, y)) {
      open->open = false;
      return;
    }
  }
  for (Control& c : dialog->controls) {
    if (c.tmpl.kind == ControlKind::ListBox) {
      const int item = ItemAt(c, x, y, false);
      if (item != NoItem) return OnClickItem(dialog, c, item);
      if (Contains(ControlRect(c), x, y))
        dialog->focus = static_cast<int>(&c - dialog->controls.data());
    } else if (Contains(FieldRect(c), x, y)) {
      return OnClickControl(dialog, c);
    }
  }
}

// Events of the main window wait until the dialog has gone.
void RunWithDisplay(HDLG dialog) {
  std::vector<SDL_Event> deferred;
  if (!OpenDialogWindow(*dialog)) {
    dialog->ended = true;
    dialog->result = IDCANCEL;
    return;
  }
  const uint32_t ownWindow = SDL_GetWindowID(dialog->window);
  while (!dialog->ended) {
    DrawDialog(*dialog);
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, 50)) continue;
    do {
      if (event.type == SDL_QUIT) {
        deferred.push_back(event);
        dialog->proc(dialog, WM_CLOSE, 0, 0);
      } else if (event.type == SDL_WINDOWEVENT && event.window.windowID == ownWindow) {
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) dialog->proc(dialog, WM_CLOSE, 0, 0);
      } else if (event.type == SDL_KEYDOWN && event.key.windowID == ownWindow) {
        const uint16_t vk = VirtualKeyOf(event.key.keysym);
        if (vk)
          OnKey(dialog, vk, event.key.keysym.mod & KMOD_SHIFT, event.key.keysym.mod & KMOD_ALT);
      } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.windowID == ownWindow &&
                 event.button.button == SDL_BUTTON_LEFT) {
        OnMouse(dialog, event.button.x, event.button.y);
      } else if (event.type == SDL_MOUSEWHEEL && event.wheel.windowID == ownWindow) {
        ScrollBy(*dialog, event.wheel.y);
      } else if (event.type != SDL_KEYUP && event.type != SDL_MOUSEMOTION &&
                 event.type != SDL_MOUSEBUTTONUP && event.type != SDL_TEXTINPUT) {
        deferred.push_back(event);
      }
    } while (!dialog->ended && SDL_PollEvent(&event));
  }
  CloseDialogWindow(*dialog);
  for (SDL_Event& event : deferred) SDL_PushEvent(&event);
}

}  // namespace

INT_PTR DialogBoxParam(int resourceId, DLGPROC proc, LPARAM param) {
  const DialogTemplate* tmpl = FindDialogTemplate(resourceId);
  if (!tmpl || !proc) return -1;
  Dialog dialog(*tmpl, proc);
  proc(&dialog, WM_INITDIALOG, 0, param);
  if (!dialog.ended) {
    if (TestDriver) {
      while (!dialog.ended)
        if (!TestDriver(&dialog)) dialog.proc(&dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    } else if (DisplayAvailable()) {
      RunWithDisplay(&dialog);
    } else {
      dialog.ended = true;  // nobody can answer it
      dialog.result = IDCANCEL;
    }
  }
  proc(&dialog, WM_DESTROY, 0, 0);
  return dialog.result;
}

bool EndDialog(HDLG dialog, INT_PTR result) {
  if (!dialog) return false;
  dialog->ended = true;
  dialog->result = result;
  return true;
}

INT_PTR SendDlgItemMessage(HDLG dialog, int id, uint32_t message, WPARAM wParam, LPARAM lParam) {
  Control* c = dialog ? Find(dialog, id) : nullptr;
  if (!c) return 0;
  return c->Handle(message, wParam, lParam);
}

namespace testing {
void SetDriver(Driver driver) { TestDriver = std::move(driver); }
void KeyDown(HDLG dialog, uint16_t virtualKey) { OnKey(dialog, virtualKey, false, false); }
void Click(HDLG dialog, int id) {
  if (Control* c = Find(dialog, id)) OnClickControl(dialog, *c);
}
void ClickItem(HDLG dialog, int id, int index) {
  if (Control* c = Find(dialog, id)) OnClickItem(dialog, *c, index);
}
void ClickRow(HDLG dialog, int id, int row) {
  Control* c = Find(dialog, id);
  if (!c) return;
  const SDL_Rect area = ListRect(*c, c->open);
  OnMouse(dialog, area.x + area.w / 2, area.y + row * ItemHeight + ItemHeight / 2);
}
void CloseBox(HDLG dialog) { dialog->proc(dialog, WM_CLOSE, 0, 0); }
}  // namespace testing

}  // namespace dlg
