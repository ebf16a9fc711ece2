// The REGEDIT4 reader and writer on hand-written text, no files involved.
#include "platform/registry/file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/registry/registry.h"

namespace {

using reg::file::Document;

Document MustParse(const std::string& text) {
  Document doc;
  std::string error;
  EXPECT_TRUE(reg::file::Parse(text, doc, error)) << error;
  return doc;
}

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> b) { return b; }

// The data of a value of key A, or nothing.
std::vector<uint8_t> DataOf(const Document& doc, const char* name) {
  const reg::file::Line* line = reg::file::FindValue(doc, "HKEY_CURRENT_USER\\A", name);
  return line ? line->data : std::vector<uint8_t>{};
}

// As the registry editor exports it on Windows: CRLF, intermediate keys, a folded binary.
const std::string EditorExport =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\HalvoTeam]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\HalvoTeam\\Nauvrel]\r\n"
    "\"HiScore\"=hex:48,61,6c,76,6f,20,74,65,61,6d,00,00,00,00,00,00,00,00,00,00,00,\\\r\n"
    "  00,00,00,00,00,00,00,00,00,00,00,ee,02,00,00\r\n"
    "\"Path\"=\"C:\\\\Games\\\\\\\"Nauvrel\\\"\"\r\n"
    "@=\"default\"\r\n"
    "\"Expand\"=hex(2):25,54,45,4d,50,25,00\r\n"
    "\"Quad\"=hex(b):01,00,00,00,00,00,00,00\r\n"
    "\r\n";

}  // namespace

TEST(RegistryFile, ReadsAnEditorExportWithItsTypesAndEscapes) {
  const Document doc = MustParse(EditorExport);
  const std::string key = "HKEY_LOCAL_MACHINE\\Software\\HalvoTeam\\Nauvrel";
  const reg::file::Line* hi = reg::file::FindValue(doc, key, "HiScore");
  ASSERT_NE(hi, nullptr);
  EXPECT_EQ(hi->type, reg::REG_BINARY);
  ASSERT_EQ(hi->data.size(), 36u);
  EXPECT_EQ(std::string(hi->data.begin(), hi->data.begin() + 10), "Halvo team");
  EXPECT_EQ(hi->data[32], 0xee);
  EXPECT_EQ(hi->data[33], 0x02);

  const reg::file::Line* path = reg::file::FindValue(doc, key, "path");  // names ignore case
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->type, reg::REG_SZ);
  const std::string expected = "C:\\Games\\\"Nauvrel\"";
  EXPECT_EQ(std::string(path->data.begin(), path->data.end()), expected + '\0');

  ASSERT_NE(reg::file::FindValue(doc, key, ""), nullptr);
  EXPECT_EQ(reg::file::FindValue(doc, key, "Expand")->type, reg::REG_EXPAND_SZ);
  EXPECT_EQ(reg::file::FindValue(doc, key, "Quad")->type, reg::REG_QWORD);
  EXPECT_EQ(reg::file::FindValue(doc, key, "Quad")->data.size(), 8u);
  EXPECT_TRUE(reg::file::HasKey(doc, "hkey_local_machine\\software\\halvoteam"));
  EXPECT_FALSE(reg::file::HasKey(doc, "HKEY_LOCAL_MACHINE\\Software\\Halvo"));
  EXPECT_EQ(reg::file::Serialize(doc), EditorExport);
}

TEST(RegistryFile, AcceptsCommentsBlankLinesSpacingAndAnyCaseInHiveNames) {
  const Document doc = MustParse(
      "REGEDIT4\n"
      "; settings kept by hand\n"
      "\n"
      "[hkey_current_user\\Software\\HalvoTeam\\Nauvrel]\n"
      "  ; a comment inside the key\n"
      "\"MineBubbles\" = DWORD:0000000A\n"
      "\"Blob\"=hex: 01, 2 ,\\\n"
      "\t  03,\n"
      "\"Gone\"=-\n");
  const std::string key = "HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel";
  const reg::file::Line* mine = reg::file::FindValue(doc, key, "MineBubbles");
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(mine->data, Bytes({10, 0, 0, 0}));
  EXPECT_EQ(reg::file::FindValue(doc, key, "Blob")->data, Bytes({1, 2, 3}));
  EXPECT_EQ(reg::file::FindValue(doc, key, "Gone"), nullptr);
}

TEST(RegistryFile, TheLastAssignmentOfAValueCounts) {
  const std::string key = "HKEY_CURRENT_USER\\K";
  Document doc = MustParse(
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n\"A\"=dword:1\n\n[HKEY_CURRENT_USER\\Other]\n"
      "\"A\"=dword:3\n\n[HKEY_CURRENT_USER\\K]\n\"A\"=dword:2\n");
  EXPECT_EQ(reg::file::FindValue(doc, key, "A")->data[0], 2);
  const std::vector<uint8_t> five = {5, 0, 0, 0};
  ASSERT_EQ(reg::file::SetValue(doc, key, "A", reg::REG_DWORD, five), reg::file::SetResult::Done);
  EXPECT_EQ(reg::file::FindValue(MustParse(reg::file::Serialize(doc)), key, "A")->data[0], 5);
  EXPECT_EQ(reg::file::FindValue(doc, "HKEY_CURRENT_USER\\Other", "A")->data[0], 3);
}

TEST(RegistryFile, TextWithoutTheHeaderIsNoHive) {
  for (const char* text : {"", "REGEDIT\n[HKEY_CURRENT_USER\\A]\n", "[HKEY_CURRENT_USER\\A]\n"}) {
    Document doc;
    std::string error;
    EXPECT_FALSE(reg::file::Parse(text, doc, error)) << text;
    EXPECT_FALSE(error.empty());
  }
}

// One line that cannot be read is passed over and named; every other value still reads,
// and the text written back holds no trace of it.
TEST(RegistryFile, ALineThatCannotBeReadCostsOnlyItsOwnValue) {
  struct Case {
    std::string bad;
    std::string line;  // as the damage names it
  };
  const std::vector<Case> cases = {
      {"\"B\"=dword:xyz\n", "line 4"},
      {"\"B\"=dword:123456789\n", "line 4"},  // nine digits
      {"\"B\"=hex:100\n", "line 4"},
      {"\"B\"=hex:01,,02\n", "line 4"},
      {"\"B\"=hex(zz):01\n", "line 4"},
      {"\"B\"=\"unterminated\n", "line 4"},
      {"\"B\"=\"bad \\n escape\"\n", "line 4"},
      {"\"B\"=\"x\" trailing\n", "line 4"},
      {"\"B\" dword:1\n", "line 4"},
      {"B=dword:1\n", "line 4"},
      {"\"B\"=hex:01,\\\n; a comment inside the fold\n  02\n", "line 4"},
      {std::string("\"B\"=\"nul \0 inside\"\n", 19), "line 4"},
      {"[HKEY_CURRENT_USER\\Broken\n\"B\"=dword:1\n[HKEY_CURRENT_USER\\A]\n", "line 4"},
  };
  for (const Case& c : cases) {
    const std::string text = "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\"=dword:1\n" + c.bad +
                             "\"C\"=dword:3\n[HKEY_CURRENT_USER\\Z]\n\"Z\"=dword:4\n";
    SCOPED_TRACE(text);
    Document doc;
    std::string error;
    ASSERT_TRUE(reg::file::Parse(text, doc, error)) << error;
    EXPECT_TRUE(doc.damage.starts_with(c.line + ":")) << doc.damage;
    EXPECT_EQ(reg::file::FindValue(doc, "HKEY_CURRENT_USER\\A", "A")->data[0], 1);
    EXPECT_EQ(reg::file::FindValue(doc, "HKEY_CURRENT_USER\\A", "B"), nullptr);
    EXPECT_EQ(reg::file::FindValue(doc, "HKEY_CURRENT_USER\\A", "C")->data[0], 3);
    EXPECT_EQ(reg::file::FindValue(doc, "HKEY_CURRENT_USER\\Z", "Z")->data[0], 4);
    EXPECT_TRUE(MustParse(reg::file::Serialize(doc)).damage.empty());
  }
  // A value before the first key belongs to none.
  Document doc;
  std::string error;
  ASSERT_TRUE(reg::file::Parse("REGEDIT4\n\"A\"=dword:1\n[HKEY_CURRENT_USER\\A]\n\"C\"=dword:3\n",
                               doc, error));
  EXPECT_TRUE(doc.damage.starts_with("line 2:")) << doc.damage;
  EXPECT_EQ(reg::file::FindValue(doc, "HKEY_CURRENT_USER\\A", "A"), nullptr);
  EXPECT_EQ(reg::file::FindValue(doc, "HKEY_CURRENT_USER\\A", "C")->data[0], 3);
}

// Old editors end lines with a lone CR; the registry editor's own export is UTF-16LE
// after a byte-order mark, or the same in 8-bit text. All read alike, and the newer
// format is written back as REGEDIT4, its UTF-16 strings as 8-bit text.
TEST(RegistryFile, ReadsLoneCarriageReturnsAndTheEditorsNewerFormat) {
  const std::string body =
      "\n[HKEY_CURRENT_USER\\A]\n\"A\"=dword:00000001\n\"S\"=\"\xC4\x8C"
      "esky\"\n"
      "\"E\"=hex(2):25,00,54,00,00,00\n";
  const auto utf16 = [](const std::string& utf8) {
    std::string out = "\xFF\xFE";
    for (size_t i = 0; i < utf8.size(); ++i) {
      uint32_t c = static_cast<uint8_t>(utf8[i]);
      if (c == 0xC4) c = 0x10C, ++i;  // the one non-ASCII letter here: U+010C
      out += static_cast<char>(c & 0xFF);
      out += static_cast<char>(c >> 8);
    }
    return out;
  };
  std::string lonecr = "REGEDIT4" + body;
  std::replace(lonecr.begin(), lonecr.end(), '\n', '\r');
  const std::string v5 = "Windows Registry Editor Version 5.00" + body;
  for (const std::string& text : {lonecr, v5, utf16(v5)}) {
    SCOPED_TRACE(text);
    const Document doc = MustParse(text);
    EXPECT_TRUE(doc.damage.empty()) << doc.damage;
    EXPECT_EQ(DataOf(doc, "A"), Bytes({1, 0, 0, 0}));
    const std::string expected =
        "\xC4\x8C"
        "esky";
    EXPECT_EQ(DataOf(doc, "S"),
              std::vector<uint8_t>(expected.c_str(), expected.c_str() + expected.size() + 1));
    const std::vector<uint8_t> expand = {'%', 'T', 0};
    const bool newer = text != lonecr;
    EXPECT_EQ(DataOf(doc, "E").size(), newer ? 3u : 6u);
    if (newer) EXPECT_EQ(DataOf(doc, "E"), expand);
    const std::string written = reg::file::Serialize(doc);
    EXPECT_TRUE(written.starts_with("REGEDIT4")) << written;
    const Document reread = MustParse(written);
    EXPECT_EQ(DataOf(reread, "E"), DataOf(doc, "E"));
    if (!newer) EXPECT_EQ(written, text);
  }
}

TEST(RegistryFile, ChangingOneValueLeavesEveryOtherByteAlone) {
  const std::string before =
      "REGEDIT4\r\n\r\n; mine\r\n[HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel]\r\n"
      "\"Unknown\"=hex(7):61,00,00\r\n\"MineBubbles\"=\"192\"\r\n\"Zeta\"=dword:00000005\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n\"X\"=\"y\"";
  Document doc = MustParse(before);
  const std::string key = "HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel";
  const std::vector<uint8_t> v = {0xc0, 0, 0, 0};
  ASSERT_EQ(reg::file::SetValue(doc, key, "MineBubbles", reg::REG_DWORD, v),
            reg::file::SetResult::Done);
  std::string expected = before;
  expected.replace(expected.find("\"192\""), 5, "dword:000000c0");
  EXPECT_EQ(reg::file::Serialize(doc), expected);

  // A new value goes after the key's last value, in the file's own line endings; a file
  // without a final line break gets one before anything is added after its last line.
  ASSERT_EQ(reg::file::SetValue(doc, key, "New", reg::REG_DWORD, v), reg::file::SetResult::Done);
  ASSERT_EQ(reg::file::SetValue(doc, "HKEY_CURRENT_USER\\Software\\Other", "Z", reg::REG_DWORD, v),
            reg::file::SetResult::Done);
  const std::string after = reg::file::Serialize(doc);
  EXPECT_NE(after.find("\"Zeta\"=dword:00000005\r\n\"New\"=dword:000000c0\r\n\r\n"),
            std::string::npos);
  EXPECT_TRUE(after.ends_with("\"X\"=\"y\"\r\n\"Z\"=dword:000000c0\r\n"));
  EXPECT_EQ(reg::file::SetValue(doc, "HKEY_CURRENT_USER\\None", "A", reg::REG_DWORD, v),
            reg::file::SetResult::NoKey);

  // A last line that stops on a carriage return gets only the line feed it lacks, after a
  // key header as after a value, so that the file still reads.
  for (const std::string last :
       {"[HKEY_CURRENT_USER\\K]\r", "[HKEY_CURRENT_USER\\K]\n\"A\"=\"b\"\r"}) {
    Document cut = MustParse("REGEDIT4\r\n\r\n" + last);
    ASSERT_EQ(reg::file::SetValue(cut, "HKEY_CURRENT_USER\\K", "Z", reg::REG_DWORD, v),
              reg::file::SetResult::Done);
    reg::file::AddKey(cut, "HKEY_CURRENT_USER\\L");
    Document reread = MustParse(reg::file::Serialize(cut));
    EXPECT_TRUE(reg::file::FindValue(reread, "HKEY_CURRENT_USER\\K", "Z")) << last;
    EXPECT_TRUE(reg::file::HasKey(reread, "HKEY_CURRENT_USER\\L")) << last;
  }
}

TEST(RegistryFile, WritesEveryTypeSoThatItReadsBackTheSame) {
  struct Case {
    uint32_t type;
    std::vector<uint8_t> data;
    std::string form;
  };
  const std::vector<Case> cases = {
      {reg::REG_DWORD, {0xc0, 0, 0, 0}, "dword:000000c0"},
      {reg::REG_DWORD, {1, 2}, "hex(4):01,02"},  // a short dword keeps its bytes
      {reg::REG_SZ, {'a', '\\', '"', 0}, "\"a\\\\\\\"\""},
      {reg::REG_SZ, {'a', 'b'}, "hex(1):61,62"},  // no terminator: only hex keeps it so
      {reg::REG_SZ, {'a', '\n', 0}, "hex(1):61,0a,00"},
      {reg::REG_BINARY, {}, "hex:"},
      {reg::REG_MULTI_SZ, {'a', 0, 0}, "hex(7):61,00,00"},
      {0x1234, {0xff}, "hex(1234):ff"},
  };
  for (const Case& c : cases) {
    const std::string line = reg::file::FormatValue("V\"\\", c.type, c.data, "\n");
    EXPECT_EQ(line, "\"V\\\"\\\\\"=" + c.form);
    const Document doc = MustParse("REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n" + line + "\n");
    const reg::file::Line* back = reg::file::FindValue(doc, "HKEY_CURRENT_USER\\K", "V\"\\");
    ASSERT_NE(back, nullptr) << line;
    EXPECT_EQ(back->type, c.type) << line;
    EXPECT_EQ(back->data, c.data) << line;
  }
  EXPECT_EQ(reg::file::FormatValue("", reg::REG_SZ, Bytes({'x', 0}), "\n"), "@=\"x\"");
  EXPECT_EQ(reg::file::FormatValue("a\nb", reg::REG_SZ, Bytes({'x', 0}), "\n"), "");
}

TEST(RegistryFile, FoldsLongBinaryValuesAtEightyColumns) {
  const std::vector<uint8_t> table(720, 0xab);
  const std::string text = reg::file::FormatValue("HiScore", reg::REG_BINARY, table, "\r\n");
  size_t start = 0, lines = 0;
  for (;;) {
    const size_t end = text.find("\r\n", start);
    const std::string line = text.substr(start, end - start);
    EXPECT_LE(line.size(), 80u);
    if (lines > 0) {
      EXPECT_TRUE(line.starts_with("  ab")) << line;
    }
    ++lines;
    if (end == std::string::npos) {
      EXPECT_FALSE(line.ends_with(","));
      break;
    }
    EXPECT_TRUE(line.ends_with(",\\")) << line;
    start = end + 2;
  }
  EXPECT_GT(lines, 20u);
  EXPECT_TRUE(text.starts_with("\"HiScore\"=hex:ab,ab,"));
  const Document doc = MustParse("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n" + text + "\r\n");
  EXPECT_EQ(reg::file::FindValue(doc, "HKEY_LOCAL_MACHINE\\K", "HiScore")->data, table);
}
