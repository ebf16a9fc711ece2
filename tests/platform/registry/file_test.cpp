// The REGEDIT4 reader and writer on hand-written text, no files involved.
#include "platform/registry/file.h"

#include <gtest/gtest.h>

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

// A value before any key and a fold at the very end are among the fuzz seeds.
TEST(RegistryFile, RejectsTextThatIsNotAHive) {
  const char* broken[] = {
      "",
      "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A\n",                          // no closing bracket
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\"=dword:123456789\n",  // nine digits
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\"=dword:xyz\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\"=hex:100\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\"=hex:01,,02\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\"=hex(zz):01\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\"=\"unterminated\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\"=\"bad \\n escape\"\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\"=\"x\" trailing\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\" dword:1\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\A]\nA=dword:1\n",
  };
  for (const char* text : broken) {
    Document doc;
    std::string error;
    EXPECT_FALSE(reg::file::Parse(text, doc, error)) << text;
    EXPECT_FALSE(error.empty());
  }
  Document doc;
  std::string error;
  EXPECT_FALSE(reg::file::Parse(std::string("REGEDIT4\n;\0\n", 12), doc, error));
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
