#pragma once
// The dialog's font: printable ASCII, coverage bitmaps of a fixed cell height.
namespace dlg {

constexpr int DialogFontHeight = 18;

struct DialogFontGlyph {
  int advance;           // width of the cell in pixels
  const char* coverage;  // advance × DialogFontHeight bytes, 0 to 255, top row first
};

extern const DialogFontGlyph DialogFont[95];  // characters 32 to 126

}  // namespace dlg
