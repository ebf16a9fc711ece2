// Text from the bitmap font: one keyed blit per character, and the dark box behind it.
#include <algorithm>
#include <cstring>

#include "app/shell.h"
#include "platform/system/system.h"
#include "video/video.h"

namespace {

constexpr int CellWidth = 16, CellHeight = 32, Columns = 20;
constexpr int GlyphWidth = 15, GlyphHeight = 31;  // the last column and row of a cell stay out

// The cell of a byte in the font picture; none for bytes the font has no glyph for.
bool GlyphRect(uint8_t c, dd::RECT& rect) {
  if (c < 20) return false;
  const int glyph = static_cast<uint8_t>(c - 20);
  rect.left = CellWidth * (glyph % Columns);
  rect.top = CellHeight * (glyph / Columns);
  rect.right = rect.left + GlyphWidth;
  rect.bottom = rect.top + GlyphHeight;
  return true;
}

// One line of `length` bytes at (x, y); the debugger gets the same bytes.
bool PrintLine(int x, int y, const char* text, size_t length) {
  OutputDebugString(text, length);
  dd::Surface* back = Video.BackBuffer;
  dd::Surface* font = Video.ddsFont.get();
  for (size_t i = 0; i < length; ++i, x += CellWidth) {
    dd::RECT source;
    if (!GlyphRect(static_cast<uint8_t>(text[i]), source)) continue;  // drawn as a blank
    if (!back || !font) return sysShowError("sysPrintChar: BltFast");
    // A glyph reaching past the back buffer is cut at its edge rather than refused.
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + GlyphWidth, back->Width());
    const int bottom = std::min(y + GlyphHeight, back->Height());
    if (left >= right || top >= bottom) continue;
    source = {source.left + (left - x), source.top + (top - y),
              source.right - (x + GlyphWidth - right), source.bottom - (y + GlyphHeight - bottom)};
    if (dd::Failed(back->BltFast(left, top, font, &source,
                                 dd::DDBLTFAST_SRCCOLORKEY | dd::DDBLTFAST_WAIT)))
      return sysShowError("sysPrintChar: BltFast");
  }
  return true;
}

}  // namespace

bool sysPrintChar(int x, int y, const char* text) {
  if (!text) return false;
  return PrintLine(x, y, text, std::strlen(text));
}

bool sysDarkRect(const dd::RECT& rect) {
  const dd::COLORREF brush{0, 0, 100};
  dd::HDC* dc = nullptr;
  if (!Video.BackBuffer || dd::Failed(Video.BackBuffer->GetDC(dc)))
    return sysShowError("sysDarkRect: GetDC");
  if (!dd::FillRect(dc, rect, brush)) {
    Video.BackBuffer->ReleaseDC(dc);
    return sysShowError("sysDarkRect: FillRect");
  }
  Video.BackBuffer->ReleaseDC(dc);
  return true;
}

bool sysTextBox(const char* text) {
  if (!text) return false;
  int longest = 0, lines = 1, length = 0;
  for (const char* p = text; *p; ++p) {
    if (*p == '\n') {
      ++lines, length = 0;
      continue;
    }
    longest = std::max(longest, ++length);
  }
  dd::RECT box;
  box.left = (780 - CellWidth * longest) / 2;
  box.right = box.left + CellWidth * longest + 20;
  box.top = (600 - CellHeight * lines) / 2;
  box.bottom = box.top + CellHeight * lines;
  if (!sysDarkRect(box)) return false;

  // Each line is printed by its length, so the caller's text is never touched.
  const char* line = text;
  for (int k = 0; k < lines; ++k) {
    const char* end = std::strchr(line, '\n');
    const size_t length = end ? static_cast<size_t>(end - line) : std::strlen(line);
    if (!PrintLine(box.left + 10, box.top + CellHeight * k, line, length)) return false;
    if (end) line = end + 1;
  }
  return true;
}
