// Reading a REGEDIT4 file (or the registry editor's newer export): the header line, then
// key sections with their values, blank lines and ; comments, lines ending in LF, CRLF or
// (in a file without any LF) CR. A file without the header is no hive; any other line
// that cannot be read is passed over and noted, and everything else still counts.

#include "platform/registry/file.h"
#include "platform/registry/registry.h"

namespace reg::file {
namespace {

struct PhysicalLine {
  std::string_view content;  // without the line ending
  std::string_view raw;      // with it
};

// Lines end in LF or CRLF; in a text without any LF, as old editors leave it, in CR.
std::vector<PhysicalLine> SplitLines(std::string_view text) {
  const char separator = text.find('\n') == std::string_view::npos ? '\r' : '\n';
  std::vector<PhysicalLine> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t stop = text.find(separator, start);
    const size_t end = stop == std::string_view::npos ? text.size() : stop + 1;
    std::string_view raw = text.substr(start, end - start);
    std::string_view content = raw;
    if (!content.empty() && content.back() == separator) content.remove_suffix(1);
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

// The registry editor's own export: UTF-16LE after a byte-order mark (or the same in
// 8-bit text), its strings held as UTF-16 in hex form too. Read as UTF-8.
std::string Utf8FromUtf16(std::string_view bytes) {
  std::string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint32_t c = static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8;
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      const uint32_t low = static_cast<uint8_t>(bytes[i + 2]) | static_cast<uint8_t>(bytes[i + 3])
                                                                    << 8;
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;  // a lone half of a pair
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

constexpr std::string_view Version5 = "Windows Registry Editor Version 5.00";

// In the newer format the string types in hex form hold UTF-16; the file is written back
// as REGEDIT4, where they hold 8-bit text, so they are converted and their line made anew.
void ToEightBitStrings(Line& line, std::string_view eol) {
  if (line.type != REG_SZ && line.type != REG_EXPAND_SZ && line.type != REG_MULTI_SZ) return;
  if (line.data.size() % 2 != 0 || FormatValue(line.name, line.type, line.data, eol).empty())
    return;
  const std::string text =
      Utf8FromUtf16({reinterpret_cast<const char*>(line.data.data()), line.data.size()});
  line.data.assign(text.begin(), text.end());
  const std::string_view raw = line.raw;
  const std::string ending(raw.substr(raw.find_last_not_of("\r\n") + 1));
  line.raw = FormatValue(line.name, line.type, line.data, eol) + ending;
}

}  // namespace

bool Parse(std::string_view text, Document& doc, std::string& error) {
  doc = Document{};
  if (text.starts_with("\xFF\xFE")) {
    const std::string utf8 = Utf8FromUtf16(text.substr(2));
    return Parse(utf8, doc, error);
  }
  const std::vector<PhysicalLine> lines = SplitLines(text);
  std::string_view first = lines.empty() ? std::string_view{} : lines[0].content;
  if (first.starts_with("\xEF\xBB\xBF")) first.remove_prefix(3);  // a BOM from an editor
  const bool version5 = Trim(first) == Version5;
  if (Trim(first) != "REGEDIT4" && !version5) {
    error = "line 1: not REGEDIT4";
    return false;
  }
  const std::string_view firstRaw = lines[0].raw;
  const bool crOnly = text.find('\n') == std::string_view::npos && firstRaw.ends_with('\r');
  doc.eol = firstRaw.ends_with("\r\n") ? "\r\n" : crOnly ? "\r" : "\n";
  doc.lines.push_back(Line{.raw = version5 ? "REGEDIT4" + doc.eol : std::string(firstRaw)});

  // A line that cannot be read is passed over: every other value still counts, and the
  // file is kept aside before it is next replaced.
  const auto passOver = [&](size_t lineNumber, const char* what) {
    if (doc.damage.empty()) doc.damage = "line " + std::to_string(lineNumber) + ": " + what;
  };
  bool inKey = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    const size_t lineNumber = i + 1;
    const std::string_view c = Trim(lines[i].content);
    Line line{.raw = std::string(lines[i].raw)};
    if (c.find('\0') != std::string_view::npos) {
      passOver(lineNumber, "a NUL byte in the text");
      continue;
    }
    if (c.empty() || c.front() == ';') {
      doc.lines.push_back(std::move(line));
      continue;
    }
    if (c.front() == '[') {
      // The values after a broken header belong to no key that can be named.
      inKey = c.size() >= 3 && c.back() == ']';
      if (!inKey) {
        passOver(lineNumber, "a key without its closing bracket");
        continue;
      }
      line.kind = LineKind::KeyHeader;
      line.path = std::string(c.substr(1, c.size() - 2));
      doc.lines.push_back(std::move(line));
      continue;
    }
    if (c.front() != '"' && c.front() != '@') {
      passOver(lineNumber, "not a key, a value or a comment");
      continue;
    }
    std::string_view rest = c;
    bool named = true;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else {
      named = ParseQuoted(rest, line.name);
    }
    rest = Trim(rest);
    std::string data(named && !rest.empty() ? rest.substr(1) : std::string_view{});
    // Hex data goes on over the following lines while a line ends in a backslash.
    bool cut = false;
    while (IsHexData(data) && Trim(data).ends_with('\\')) {
      if (i + 1 >= lines.size()) {
        cut = true;
        break;
      }
      data = std::string(Trim(data));
      data.pop_back();
      data += Trim(lines[++i].content);
      line.raw += lines[i].raw;
    }
    if (!inKey) {
      passOver(lineNumber, "a value before the first key");
    } else if (!named) {
      passOver(lineNumber, "a broken value name");
    } else if (rest.empty() || rest.front() != '=') {
      passOver(lineNumber, "no = after the value name");
    } else if (cut) {
      passOver(lineNumber, "the file ends inside a value");
    } else if (!ParseData(data, line)) {
      passOver(lineNumber, "unreadable data");
    } else {
      line.kind = LineKind::Value;
      if (version5) ToEightBitStrings(line, doc.eol);
      doc.lines.push_back(std::move(line));
    }
  }
  return true;
}

}  // namespace reg::file
