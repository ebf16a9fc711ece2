#pragma once
// A hive file in the REGEDIT4 text format, held line by line so that everything the game
// does not touch (other keys and values, comments, spacing, line endings) is written back
// byte for byte. Pure text in, text out: no files here.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace reg::file {

enum class LineKind { Other, KeyHeader, Value };

struct Line {
  std::string raw{};  // as read, line ending(s) and folds included, or as formatted
  LineKind kind = LineKind::Other;
  std::string path{};    // KeyHeader: the key path between the brackets
  std::string name{};    // Value: "" for the default value (@)
  bool deleted = false;  // Value: "Name"=-
  uint32_t type = 0;
  std::vector<uint8_t> data{};
};

struct Document {
  std::vector<Line> lines;
  std::string eol = "\n";  // for new lines: the style of the first line
  std::string damage{};    // the first line passed over ("line 7: ..."); empty when none
};

// False with a reason ("line 1: ...") when the text is not a registry file. Otherwise the
// lines that cannot be read are left out and the first is named in `damage`. The registry
// editor's newer export (UTF-16LE with a byte-order mark, or 8-bit) reads as REGEDIT4,
// its UTF-16 strings as UTF-8; written back it is REGEDIT4.
bool Parse(std::string_view text, Document& doc, std::string& error);
// "REGEDIT4" and a blank line.
Document Empty();
std::string Serialize(const Document& doc);

// Key paths include the hive ("HKEY_CURRENT_USER\Software\..."); comparisons ignore case.
// A key exists when it has a section of its own or one below it.
bool HasKey(const Document& doc, std::string_view path);
// Appends "[path]" as a new section, set apart by blank lines.
void AddKey(Document& doc, std::string_view path);
// The value as the last assignment in the file leaves it; null when absent or deleted.
const Line* FindValue(const Document& doc, std::string_view path, std::string_view name);
enum class SetResult { Done, NoKey, CannotWrite };
// Rewrites the value's line in place, or adds it after the last value of the key's last
// section. CannotWrite: a name with a line break has no REGEDIT4 spelling.
SetResult SetValue(Document& doc, std::string_view path, std::string_view name, uint32_t type,
                   std::span<const uint8_t> data);

// One value's line(s): "Name"=dword:..., ="text", =hex:..., =hex(N):..., folded at 80
// columns with ",\" and a two-space indent. Empty when the name cannot be written (a line
// feed in it, or a carriage return where `eol` is one).
std::string FormatValue(std::string_view name, uint32_t type, std::span<const uint8_t> data,
                        std::string_view eol);

}  // namespace reg::file
