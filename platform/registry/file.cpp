// Looking up and changing keys and values of a REGEDIT4 document, and writing values in
// the form the registry editor imports.
#include "platform/registry/file.h"

#include <cstdio>

#include "platform/registry/registry.h"

namespace reg::file {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// `path` is `key` itself or a key below it.
bool IsAtOrBelow(std::string_view path, std::string_view key) {
  if (path.size() == key.size()) return EqualNoCase(path, key);
  return path.size() > key.size() && path[key.size()] == '\\' &&
         EqualNoCase(path.substr(0, key.size()), key);
}

// A lone CR ends a line only in a file whose lines all end so.
std::string_view LineEnding(std::string_view raw, std::string_view eol) {
  if (raw.ends_with("\r\n")) return "\r\n";
  if (raw.ends_with("\n")) return "\n";
  if (raw.ends_with("\r") && eol == "\r") return "\r";
  return "";
}

bool IsBlank(const Line& line) {
  return line.raw.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Gives a line that stops at the end of the file its ending, before another is put after
// it. One that stops on a carriage return only lacks the line feed: a second ending would
// leave that return inside the line.
void EndLine(std::string& raw, const std::string& eol) {
  if (!LineEnding(raw, eol).empty()) return;
  raw += raw.ends_with('\r') ? "\n" : eol;
}

void EndWithNewline(Document& doc) {
  if (!doc.lines.empty()) EndLine(doc.lines.back().raw, doc.eol);
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}

// REG_SZ has the "text" form when it is one terminated line of text.
bool IsPlainString(std::span<const uint8_t> data) {
  if (data.empty() || data.back() != 0) return false;
  for (size_t i = 0; i + 1 < data.size(); ++i)
    if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') return false;
  return true;
}

std::string HexList(std::string line, std::span<const uint8_t> data, std::string_view eol) {
  constexpr size_t Width = 80;
  std::string out;
  bool lineHasBytes = false;
  for (size_t i = 0; i < data.size(); ++i) {
    char token[4];
    std::snprintf(token, sizeof token, i + 1 < data.size() ? "%02x," : "%02x", data[i]);
    const std::string_view t = token;
    if (lineHasBytes && line.size() + t.size() + 1 > Width) {
      out += line + "\\";
      out += eol;
      line = "  ";
    }
    line += t;
    lineHasBytes = true;
  }
  return out + line;
}

}  // namespace

Document Empty() {
  Document doc;
  doc.lines.push_back(Line{.raw = "REGEDIT4\n"});
  doc.lines.push_back(Line{.raw = "\n"});
  return doc;
}

std::string Serialize(const Document& doc) {
  std::string text;
  for (const Line& line : doc.lines) text += line.raw;
  return text;
}

bool HasKey(const Document& doc, std::string_view path) {
  for (const Line& line : doc.lines)
    if (line.kind == LineKind::KeyHeader && IsAtOrBelow(line.path, path)) return true;
  return false;
}

void AddKey(Document& doc, std::string_view path) {
  EndWithNewline(doc);
  if (!doc.lines.empty() && !IsBlank(doc.lines.back())) doc.lines.push_back(Line{.raw = doc.eol});
  Line header{.raw = "[" + std::string(path) + "]" + doc.eol,
              .kind = LineKind::KeyHeader,
              .path = std::string(path)};
  doc.lines.push_back(std::move(header));
  doc.lines.push_back(Line{.raw = doc.eol});
}

const Line* FindValue(const Document& doc, std::string_view path, std::string_view name) {
  const Line* found = nullptr;
  bool inKey = false;
  for (const Line& line : doc.lines) {
    if (line.kind == LineKind::KeyHeader) inKey = EqualNoCase(line.path, path);
    if (inKey && line.kind == LineKind::Value && EqualNoCase(line.name, name)) found = &line;
  }
  return found && !found->deleted ? found : nullptr;
}

SetResult SetValue(Document& doc, std::string_view path, std::string_view name, uint32_t type,
                   std::span<const uint8_t> data) {
  size_t lastAssignment = 0, insertAfter = 0;
  bool inKey = false, haveAssignment = false, haveKey = false;
  for (size_t i = 0; i < doc.lines.size(); ++i) {
    const Line& line = doc.lines[i];
    if (line.kind == LineKind::KeyHeader) {
      inKey = EqualNoCase(line.path, path);
      if (inKey) haveKey = true, insertAfter = i;
    }
    if (!inKey || line.kind != LineKind::Value) continue;
    insertAfter = i;
    if (EqualNoCase(line.name, name)) haveAssignment = true, lastAssignment = i;
  }
  if (!haveKey) return SetResult::NoKey;

  if (haveAssignment) {
    Line& line = doc.lines[lastAssignment];
    const std::string_view ending = LineEnding(line.raw, doc.eol);
    std::string raw = FormatValue(name, type, data, ending.empty() ? doc.eol : ending);
    if (raw.empty()) return SetResult::CannotWrite;
    line.raw = raw + std::string(ending);
    line.name = std::string(name);
    line.deleted = false;
    line.type = type;
    line.data.assign(data.begin(), data.end());
    return SetResult::Done;
  }
  const std::string raw = FormatValue(name, type, data, doc.eol);
  if (raw.empty()) return SetResult::CannotWrite;
  Line& before = doc.lines[insertAfter];
  EndLine(before.raw, doc.eol);
  Line added{.raw = raw + doc.eol,
             .kind = LineKind::Value,
             .name = std::string(name),
             .type = type,
             .data = std::vector<uint8_t>(data.begin(), data.end())};
  doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1,
                   std::move(added));
  return SetResult::Done;
}

std::string FormatValue(std::string_view name, uint32_t type, std::span<const uint8_t> data,
                        std::string_view eol) {
  if (name.find('\n') != std::string_view::npos ||
      (eol == "\r" && name.find('\r') != std::string_view::npos))
    return {};
  const std::string head = (name.empty() ? std::string("@") : Quote(name)) + "=";
  if (type == REG_SZ && IsPlainString(data)) {
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size() - 1);
    return head + Quote(text);
  }
  if (type == REG_DWORD && data.size() == 4) {
    char digits[16];
    const uint32_t v =
        data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
    std::snprintf(digits, sizeof digits, "%08x", v);
    return head + "dword:" + digits;
  }
  if (type == REG_BINARY) return HexList(head + "hex:", data, eol);
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", type);
  return HexList(head + prefix, data, eol);
}

}  // namespace reg::file
