// The list behind a combo box or a list box, and the messages that work it.
#include <SDL.h>

#include <algorithm>

#include "platform/dialog/draw.h"
#include "platform/dialog/state.h"

namespace dlg {

Dialog::Dialog(const DialogTemplate& t, DLGPROC p) : tmpl(t), proc(p) {
  for (const ControlTemplate& c : t.controls) {
    Control control;
    control.tmpl = c;
    controls.push_back(control);
  }
  // The first list-like control takes the focus, as a dialog without a focus rule does.
  for (size_t i = 0; i < controls.size(); ++i)
    if (controls[i].tmpl.kind == ControlKind::ComboBox) {
      focus = static_cast<int>(i);
      break;
    }
}

int Control::VisibleRows() const { return std::max(1, ListRect(*this, true).h / ItemHeight); }

void Control::ScrollToSelection() {
  if (selection < 0) return;
  if (selection < top) top = selection;
  if (selection >= top + VisibleRows()) top = selection - VisibleRows() + 1;
}

INT_PTR Control::Handle(uint32_t message, WPARAM wParam, LPARAM lParam) {
  const auto count = static_cast<INT_PTR>(items.size());
  const auto index = static_cast<INT_PTR>(wParam);
  const bool valid = index >= 0 && index < count;
  switch (message) {
    case CB_ADDSTRING:
    case LB_ADDSTRING: {
      const char* text = reinterpret_cast<const char*>(lParam);
      if (!text) return CB_ERR;
      // Sorted lists keep their items in text order, without regard to case.
      auto at = items.end();
      if (tmpl.sorted)
        at = std::upper_bound(items.begin(), items.end(), text, [](const char* t, const Item& i) {
          return SDL_strcasecmp(t, i.text.c_str()) < 0;
        });
      const INT_PTR position = at - items.begin();
      items.insert(at, Item{text, 0});
      if (selection >= position) ++selection;
      return position;
    }
    case CB_GETCOUNT:
    case LB_GETCOUNT:
      return count;
    case CB_GETCURSEL:
    case LB_GETCURSEL:
      return selection;
    case CB_SETCURSEL:
    case LB_SETCURSEL:
      selection = valid ? static_cast<int>(index) : -1;
      ScrollToSelection();
      return valid ? index : CB_ERR;
    case CB_GETITEMDATA:
    case LB_GETITEMDATA:
      return valid ? items[index].data : CB_ERR;
    case CB_SETITEMDATA:
    case LB_SETITEMDATA:
      if (!valid) return CB_ERR;
      items[index].data = lParam;
      return 1;
    case CB_GETLBTEXT:
    case LB_GETTEXT:
      if (!valid || !lParam) return CB_ERR;
      *reinterpret_cast<std::string*>(lParam) = items[index].text;
      return static_cast<INT_PTR>(items[index].text.size());
    case CB_RESETCONTENT:
    case LB_RESETCONTENT:
      items.clear();
      selection = -1;
      top = 0;
      return 0;
    default:
      return 0;
  }
}

}  // namespace dlg
