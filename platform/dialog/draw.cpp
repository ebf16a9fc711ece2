#include "platform/dialog/draw.h"

#include <algorithm>
#include <vector>

#include "platform/dialog/font.h"
#include "platform/window/keys.h"

namespace dlg {
namespace {

// Dialog units at twice the classic 96-dpi size: 6 × 13 base units.
int X(int dlu) { return dlu * 3; }
int Y(int dlu) { return dlu * 13 / 4; }
constexpr int ComboFieldHeight = 42;
constexpr int MaxDroppedRows = 8;

struct Colour {
  uint8_t r, g, b;
};
constexpr Colour Face{240, 240, 240}, Border{122, 122, 122}, Focus{0, 120, 215},
    White{255, 255, 255}, Text{20, 20, 20}, Highlight{0, 120, 215};

void Fill(SDL_Renderer* r, const SDL_Rect& rect, Colour c) {
  SDL_SetRenderDrawColor(r, c.r, c.g, c.b, 255);
  SDL_RenderFillRect(r, &rect);
}
void Frame(SDL_Renderer* r, const SDL_Rect& rect, Colour c) {
  SDL_SetRenderDrawColor(r, c.r, c.g, c.b, 255);
  SDL_RenderDrawRect(r, &rect);
}

// One texture with every glyph side by side, white with the coverage as alpha.
struct FontAtlas {
  SDL_Texture* texture = nullptr;
  int offsets[95] = {};
};
FontAtlas Atlas;

void MakeAtlas(SDL_Renderer* r) {
  int width = 0;
  for (int i = 0; i < 95; ++i) {
    Atlas.offsets[i] = width;
    width += DialogFont[i].advance;
  }
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * DialogFontHeight);
  for (int i = 0; i < 95; ++i)
    for (int y = 0; y < DialogFontHeight; ++y)
      for (int x = 0; x < DialogFont[i].advance; ++x) {
        const auto a = static_cast<uint8_t>(DialogFont[i].coverage[y * DialogFont[i].advance + x]);
        pixels[static_cast<size_t>(y) * width + Atlas.offsets[i] + x] =
            (uint32_t{a} << 24) | 0xFFFFFF;
      }
  Atlas.texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width,
                                    DialogFontHeight);
  if (!Atlas.texture) return;
  SDL_UpdateTexture(Atlas.texture, nullptr, pixels.data(), width * 4);
  SDL_SetTextureBlendMode(Atlas.texture, SDL_BLENDMODE_BLEND);
}

int TextWidth(const std::string& text) {
  int w = 0;
  for (unsigned char c : text) w += DialogFont[(c >= 32 && c < 127 ? c : '?') - 32].advance;
  return w;
}

void DrawText(SDL_Renderer* r, const std::string& text, int x, int y, Colour c, int right) {
  if (!Atlas.texture) return;
  SDL_SetTextureColorMod(Atlas.texture, c.r, c.g, c.b);
  for (unsigned char ch : text) {
    const int g = (ch >= 32 && ch < 127 ? ch : '?') - 32;
    const int w = DialogFont[g].advance;
    if (x + w > right) break;
    const SDL_Rect src{Atlas.offsets[g], 0, w, DialogFontHeight};
    const SDL_Rect dst{x, y, w, DialogFontHeight};
    SDL_RenderCopy(r, Atlas.texture, &src, &dst);
    x += w;
  }
}

void DrawItems(SDL_Renderer* r, const Control& c, const SDL_Rect& area, bool focused) {
  Fill(r, area, White);
  const int rows = std::max(1, area.h / ItemHeight);
  for (int i = 0; i < rows && c.top + i < static_cast<int>(c.items.size()); ++i) {
    const int index = c.top + i;
    const SDL_Rect row{area.x, area.y + i * ItemHeight, area.w, ItemHeight};
    const bool selected = index == c.selection;
    if (selected) Fill(r, row, focused ? Highlight : Face);
    DrawText(r, c.items[index].text, row.x + 6, row.y + (ItemHeight - DialogFontHeight) / 2,
             selected && focused ? White : Text, row.x + row.w - 4);
  }
}

void DrawButton(SDL_Renderer* r, const Control& c, bool focused) {
  const SDL_Rect rect = ControlRect(c);
  Fill(r, rect, {225, 225, 225});
  Frame(r, rect, c.tmpl.kind == ControlKind::DefPushButton || focused ? Focus : Border);
  const int w = TextWidth(c.tmpl.text ? c.tmpl.text : "");
  DrawText(r, c.tmpl.text ? c.tmpl.text : "", rect.x + (rect.w - w) / 2,
           rect.y + (rect.h - DialogFontHeight) / 2, Text, rect.x + rect.w);
}

void DrawCombo(SDL_Renderer* r, const Control& c, bool focused) {
  const SDL_Rect field = FieldRect(c);
  Fill(r, field, White);
  Frame(r, field, focused ? Focus : Border);
  if (c.selection >= 0)
    DrawText(r, c.items[c.selection].text, field.x + 6, field.y + (field.h - DialogFontHeight) / 2,
             Text, field.x + field.w - 30);
  // The drop-down arrow.
  SDL_SetRenderDrawColor(r, Text.r, Text.g, Text.b, 255);
  const int ax = field.x + field.w - 20, ay = field.y + field.h / 2 - 3;
  for (int i = 0; i < 6; ++i) SDL_RenderDrawLine(r, ax - 6 + i, ay + i, ax + 6 - i, ay + i);
}

void DrawList(SDL_Renderer* r, const Control& c, bool focused, bool dropped) {
  const SDL_Rect area = ListRect(c, dropped);
  DrawItems(r, c, area, focused || dropped);
  const SDL_Rect outline{area.x - 1, area.y - 1, area.w + 2, area.h + 2};
  Frame(r, outline, focused && !dropped ? Focus : Border);
  // A scroll thumb when not every item fits.
  const int rows = std::max(1, area.h / ItemHeight);
  const int n = static_cast<int>(c.items.size());
  if (n > rows) {
    const int h = std::max(12, area.h * rows / n);
    const int y = area.y + (area.h - h) * c.top / std::max(1, n - rows);
    Fill(r, SDL_Rect{area.x + area.w - 8, y, 6, h}, Border);
  }
}

}  // namespace

SDL_Rect ControlRect(const Control& c) {
  return SDL_Rect{X(c.tmpl.x), Y(c.tmpl.y), X(c.tmpl.cx), Y(c.tmpl.cy)};
}

SDL_Rect FieldRect(const Control& c) {
  SDL_Rect r = ControlRect(c);
  if (c.tmpl.kind == ControlKind::ComboBox) r.h = ComboFieldHeight;
  return r;
}

SDL_Rect ListRect(const Control& c, bool dropped) {
  const SDL_Rect r = ControlRect(c);
  if (c.tmpl.kind == ControlKind::ComboBox && dropped) {
    const int rows = std::clamp(static_cast<int>(c.items.size()), 1, MaxDroppedRows);
    return SDL_Rect{r.x + 1, r.y + ComboFieldHeight + 1, r.w - 2, rows * ItemHeight};
  }
  return SDL_Rect{r.x + 1, r.y + 1, r.w - 2, r.h - 2};
}

bool Contains(const SDL_Rect& r, int x, int y) {
  return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

int ItemAt(const Control& c, int x, int y, bool dropped) {
  if (c.tmpl.kind == ControlKind::ComboBox && !dropped) return NoItem;
  const SDL_Rect area = ListRect(c, dropped);
  if (!Contains(area, x, y)) return NoItem;
  const int index = c.top + (y - area.y) / ItemHeight;
  return index < static_cast<int>(c.items.size()) ? index : NoItem;
}

bool DisplayAvailable() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && SDL_strcmp(driver, "dummy") != 0 && SDL_strcmp(driver, "offscreen") != 0;
}

bool OpenDialogWindow(Dialog& dialog) {
  dialog.window =
      SDL_CreateWindow(dialog.tmpl.caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                       X(dialog.tmpl.cx), Y(dialog.tmpl.cy), SDL_WINDOW_SHOWN);
  if (!dialog.window) return false;
  dialog.renderer = SDL_CreateRenderer(dialog.window, -1, 0);
  if (!dialog.renderer)
    dialog.renderer = SDL_CreateRenderer(dialog.window, -1, SDL_RENDERER_SOFTWARE);
  if (!dialog.renderer) {
    SDL_DestroyWindow(dialog.window);
    dialog.window = nullptr;
    return false;
  }
  MakeAtlas(dialog.renderer);
  SDL_ShowCursor(SDL_ENABLE);
  SDL_RaiseWindow(dialog.window);
  return true;
}

void CloseDialogWindow(Dialog& dialog) {
  if (Atlas.texture) SDL_DestroyTexture(Atlas.texture);
  Atlas = FontAtlas{};
  if (dialog.renderer) SDL_DestroyRenderer(dialog.renderer);
  if (dialog.window) SDL_DestroyWindow(dialog.window);
  dialog.renderer = nullptr;
  dialog.window = nullptr;
}

void DrawDialog(Dialog& dialog) {
  SDL_Renderer* r = dialog.renderer;
  Fill(r, SDL_Rect{0, 0, X(dialog.tmpl.cx), Y(dialog.tmpl.cy)}, Face);
  const Control* open = nullptr;
  for (size_t i = 0; i < dialog.controls.size(); ++i) {
    const Control& c = dialog.controls[i];
    const bool focused = static_cast<int>(i) == dialog.focus;
    switch (c.tmpl.kind) {
      case ControlKind::PushButton:
      case ControlKind::DefPushButton:
        DrawButton(r, c, focused);
        break;
      case ControlKind::ComboBox:
        DrawCombo(r, c, focused);
        if (c.open) open = &c;
        break;
      case ControlKind::ListBox:
        DrawList(r, c, focused, false);
        break;
    }
  }
  if (open) DrawList(r, *open, true, true);  // over everything below it
  SDL_RenderPresent(r);
}

void ScrollBy(Dialog& dialog, int wheel) {
  // The open drop-down list, else the list box.
  Control* target = nullptr;
  for (Control& c : dialog.controls)
    if (c.open) target = &c;
  for (Control& c : dialog.controls)
    if (!target && c.tmpl.kind == ControlKind::ListBox) target = &c;
  if (!target) return;
  const int rows = std::max(1, ListRect(*target, target->open).h / ItemHeight);
  const int last = std::max(0, static_cast<int>(target->items.size()) - rows);
  target->top = std::clamp(target->top - wheel, 0, last);
}

uint16_t VirtualKeyOf(const SDL_Keysym& key) { return win::VirtualKey(key.sym, key.scancode); }

}  // namespace dlg
