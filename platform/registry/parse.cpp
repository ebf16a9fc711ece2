// Reading a REGEDIT4 file: the header line, then key sections with their values, blank
// lines and ; comments, LF or CRLF. Anything else makes the whole file unreadable.
#include <cstring>

#include "platform/registry/file.h"
#include "platform/registry/registry.h"

namespace reg::file {
namespace {

struct PhysicalLine {
  std::string_view content;  // without the line ending
  std::string_view raw;      // with it
};

std::vector<PhysicalLine> SplitLines(std::string_view text) {
  std::vector<PhysicalLine> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t newline = text.find('\n', start);
    const size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
    std::string_view raw = text.substr(start, end - start);
    std::string_view content = raw;
    if (!content.empty() && content.back() == '\n') content.remove_suffix(1);
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    lines.push_back({content, raw});
    start = end;
  }
  return lines;
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const char a = s[i] >= 'A' && s[i] <= 'Z' ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
    if (a != prefix[i]) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to `maxDigits` hex digits and nothing else.
bool ParseHexNumber(std::string_view s, size_t maxDigits, uint32_t& value) {
  if (s.empty() || s.size() > maxDigits) return false;
  value = 0;
  for (char c : s) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    value = value << 4 | static_cast<uint32_t>(d);
  }
  return true;
}

// A quoted string starting at s[0] == '"', with the escapes \\ and \". Leaves `s` after
// the closing quote.
bool ParseQuoted(std::string_view& s, std::string& out) {
  out.clear();
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i] == '"') {
      s.remove_prefix(i + 1);
      return true;
    }
    if (s[i] == '\\') {
      if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"')) return false;
      ++i;
    }
    out.push_back(s[i]);
  }
  return false;
}

// "aa,bb,..." with optional spaces and a trailing comma.
bool ParseHexList(std::string_view s, std::vector<uint8_t>& out) {
  out.clear();
  s = Trim(s);
  while (!s.empty()) {
    const size_t comma = s.find(',');
    const std::string_view token = Trim(s.substr(0, comma));
    uint32_t byte = 0;
    if (!ParseHexNumber(token, 2, byte)) return false;
    out.push_back(static_cast<uint8_t>(byte));
    if (comma == std::string_view::npos) break;
    s = Trim(s.substr(comma + 1));
  }
  return true;
}

bool ParseData(std::string_view d, Line& line) {
  d = Trim(d);
  if (d == "-") {
    line.deleted = true;
    return true;
  }
  if (!d.empty() && d.front() == '"') {
    std::string text;
    if (!ParseQuoted(d, text) || !Trim(d).empty()) return false;
    line.type = REG_SZ;
    line.data.assign(text.begin(), text.end());
    line.data.push_back(0);
    return true;
  }
  if (StartsWithNoCase(d, "dword:")) {
    uint32_t v = 0;
    if (!ParseHexNumber(d.substr(6), 8, v)) return false;
    line.type = REG_DWORD;
    line.data = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                 static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    return true;
  }
  if (StartsWithNoCase(d, "hex:")) {
    line.type = REG_BINARY;
    return ParseHexList(d.substr(4), line.data);
  }
  if (StartsWithNoCase(d, "hex(")) {
    const size_t close = d.find("):");
    if (close == std::string_view::npos || !ParseHexNumber(d.substr(4, close - 4), 8, line.type))
      return false;
    return ParseHexList(d.substr(close + 2), line.data);
  }
  return false;
}

bool IsHexData(std::string_view d) { return StartsWithNoCase(Trim(d), "hex"); }

}  // namespace

bool Parse(std::string_view text, Document& doc, std::string& error) {
  doc = Document{};
  if (std::memchr(text.data(), 0, text.size())) {
    error = "a NUL byte in the text";
    return false;
  }
  const std::vector<PhysicalLine> lines = SplitLines(text);
  std::string_view first = lines.empty() ? std::string_view{} : lines[0].content;
  if (first.starts_with("\xEF\xBB\xBF")) first.remove_prefix(3);  // a BOM from an editor
  if (Trim(first) != "REGEDIT4") {
    error = "line 1: not REGEDIT4";
    return false;
  }
  doc.eol = lines[0].raw.ends_with("\r\n") ? "\r\n" : "\n";
  doc.lines.push_back(Line{.raw = std::string(lines[0].raw)});

  bool inKey = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    const size_t lineNumber = i + 1;
    const std::string_view c = Trim(lines[i].content);
    Line line{.raw = std::string(lines[i].raw)};
    if (c.empty() || c.front() == ';') {
      doc.lines.push_back(std::move(line));
      continue;
    }
    if (c.front() == '[') {
      if (c.size() < 3 || c.back() != ']') {
        error = "line " + std::to_string(lineNumber) + ": a key without its closing bracket";
        return false;
      }
      line.kind = LineKind::KeyHeader;
      line.path = std::string(c.substr(1, c.size() - 2));
      inKey = true;
      doc.lines.push_back(std::move(line));
      continue;
    }
    if (c.front() != '"' && c.front() != '@') {
      error = "line " + std::to_string(lineNumber) + ": not a key, a value or a comment";
      return false;
    }
    if (!inKey) {
      error = "line " + std::to_string(lineNumber) + ": a value before the first key";
      return false;
    }
    std::string_view rest = c;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else if (!ParseQuoted(rest, line.name)) {
      error = "line " + std::to_string(lineNumber) + ": a broken value name";
      return false;
    }
    rest = Trim(rest);
    if (rest.empty() || rest.front() != '=') {
      error = "line " + std::to_string(lineNumber) + ": no = after the value name";
      return false;
    }
    std::string data(rest.substr(1));
    // Hex data goes on over the following lines while a line ends in a backslash.
    while (IsHexData(data) && Trim(data).ends_with('\\')) {
      if (++i >= lines.size()) {
        error = "line " + std::to_string(lineNumber) + ": the file ends inside a value";
        return false;
      }
      data = std::string(Trim(data));
      data.pop_back();
      data += Trim(lines[i].content);
      line.raw += lines[i].raw;
    }
    if (!ParseData(data, line)) {
      error = "line " + std::to_string(lineNumber) + ": unreadable data";
      return false;
    }
    line.kind = LineKind::Value;
    doc.lines.push_back(std::move(line));
  }
  return true;
}

}  // namespace reg::file
