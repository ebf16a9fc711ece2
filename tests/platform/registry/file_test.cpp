// The REGEDIT4 reader and writer on hand-written text, no files involved.
#include "platform/registry/file.h"

#include <gtest/gtest.h>

#include <string_view>

#include "platform/registry/registry.h"

namespace {

using reg::file::Document;
using Bytes = std::vector<uint8_t>;

Document MustParse(const std::string& text) {
  Document doc;
  std::string error;
  EXPECT_TRUE(reg::file::Parse(text, doc, error)) << error;
  return doc;
}

Bytes DataOf(const Document& doc, const char* name,
             const std::string& key = "HKEY_CURRENT_USER\\A") {
  const reg::file::Line* line = reg::file::FindValue(doc, key, name);
  return line ? line->data : Bytes{};
}

// A string value's bytes, with its terminator.
Bytes Sz(std::string_view text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

const Bytes One = {1, 0, 0, 0}, Three = {3, 0, 0, 0};

}  // namespace

// As the registry editor exports it on Windows: CRLF, intermediate keys, a folded binary.
TEST(RegistryFile, ReadsAnEditorExportWithItsTypesAndEscapes) {
  const std::string text =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\HalvoTeam]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\HalvoTeam\\Nauvrel]\r\n"
      "\"HiScore\"=hex:48,61,00,\\\r\n  00,ee,02\r\n"
      "\"Path\"=\"C:\\\\Games\\\\\\\"Nauvrel\\\"\"\r\n@=\"default\"\r\n"
      "\"Expand\"=hex(2):25,54,45,4d,50,25,00\r\n\"Quad\"=hex(b):01,00,00,00,00,00,00,00\r\n\r\n";
  const Document doc = MustParse(text);
  const struct {
    const char* name;
    uint32_t type;
    Bytes data;
  } values[] = {{"HiScore", reg::REG_BINARY, {0x48, 0x61, 0, 0, 0xee, 2}},
                {"path", reg::REG_SZ, Sz("C:\\Games\\\"Nauvrel\"")},
                {"", reg::REG_SZ, Sz("default")},
                {"Expand", reg::REG_EXPAND_SZ, Sz("%TEMP%")},
                {"Quad", reg::REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}}};
  for (const auto& v : values) {
    const auto* line =
        reg::file::FindValue(doc, "HKEY_LOCAL_MACHINE\\Software\\HalvoTeam\\Nauvrel", v.name);
    ASSERT_NE(line, nullptr) << v.name;
    EXPECT_EQ(std::pair(line->type, line->data), std::pair(v.type, v.data)) << v.name;
  }
  EXPECT_TRUE(reg::file::HasKey(doc, "hkey_local_machine\\software\\halvoteam"));
  EXPECT_FALSE(reg::file::HasKey(doc, "HKEY_LOCAL_MACHINE\\Software\\Halvo"));
  EXPECT_EQ(reg::file::Serialize(doc), text);
}

// Comments, blank lines, spacing, any case in hive names; the last assignment counts.
TEST(RegistryFile, ReadsHandWrittenTextAndTheLastAssignmentCounts) {
  Document doc = MustParse(
      "REGEDIT4\n; settings kept by hand\n\n[hkey_current_user\\A]\n  ; a comment inside\n"
      "\"MineBubbles\" = DWORD:0000000A\n\"Blob\"=hex: 01, 2 ,\\\n\t  03,\n\"Gone\"=-\n"
      "\"Twice\"=dword:1\n\n[HKEY_CURRENT_USER\\Other]\n\"Twice\"=dword:3\n\n"
      "[HKEY_CURRENT_USER\\A]\n\"Twice\"=dword:2\n");
  EXPECT_EQ(DataOf(doc, "MineBubbles"), Bytes({10, 0, 0, 0}));
  EXPECT_EQ(DataOf(doc, "Blob"), Bytes({1, 2, 3}));
  EXPECT_EQ(reg::file::FindValue(doc, "HKEY_CURRENT_USER\\A", "Gone"), nullptr);
  EXPECT_EQ(DataOf(doc, "Twice"), Bytes({2, 0, 0, 0}));
  ASSERT_EQ(reg::file::SetValue(doc, "HKEY_CURRENT_USER\\A", "Twice", reg::REG_DWORD, One),
            reg::file::SetResult::Done);
  const Document reread = MustParse(reg::file::Serialize(doc));
  EXPECT_EQ(DataOf(reread, "Twice"), One);
  EXPECT_EQ(DataOf(reread, "Twice", "HKEY_CURRENT_USER\\Other"), Three);
}

// One line that cannot be read is passed over and named; every other value still reads,
// and the text written back holds no trace of it. A value before the first key belongs
// to none.
TEST(RegistryFile, ALineThatCannotBeReadCostsOnlyItsOwnValue) {
  const std::string cases[] = {
      "\"B\"=dword:xyz\n",
      "\"B\"=dword:123456789\n",  // nine digits
      "\"B\"=hex:100\n",
      "\"B\"=hex:01,,02\n",
      "\"B\"=hex(zz):01\n",
      "\"B\"=\"unterminated\n",
      "\"B\"=\"bad \\n escape\"\n",
      "\"B\"=\"x\" trailing\n",
      "\"B\" dword:1\n",
      "B=dword:1\n",
      "\"B\"=hex:01,\\\n; a comment inside the fold\n  02\n",
      std::string("\"B\"=\"nul \0 inside\"\n", 19),
      "[HKEY_CURRENT_USER\\Broken\n\"B\"=dword:1\n[HKEY_CURRENT_USER\\A]\n",
      "[HKEY_CURRENT_USER\\A]\n",  // after a value outside any key
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const bool keyless = i + 1 == std::size(cases);
    const std::string text = keyless
                                 ? "REGEDIT4\n\"B\"=dword:1\n" + cases[i] + "\"C\"=dword:3\n"
                                 : "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"A\"=dword:1\n" + cases[i] +
                                       "\"C\"=dword:3\n[HKEY_CURRENT_USER\\Z]\n\"Z\"=dword:4\n";
    SCOPED_TRACE(text);
    const Document doc = MustParse(text);
    EXPECT_TRUE(doc.damage.starts_with(keyless ? "line 2:" : "line 4:")) << doc.damage;
    EXPECT_EQ(DataOf(doc, "A"), keyless ? Bytes{} : One);
    EXPECT_EQ(reg::file::FindValue(doc, "HKEY_CURRENT_USER\\A", "B"), nullptr);
    EXPECT_EQ(DataOf(doc, "C"), Three);
    EXPECT_EQ(DataOf(doc, "Z", "HKEY_CURRENT_USER\\Z"), keyless ? Bytes{} : Bytes({4, 0, 0, 0}));
    EXPECT_TRUE(MustParse(reg::file::Serialize(doc)).damage.empty());
  }
}

TEST(RegistryFile, ChangingOneValueLeavesEveryOtherByteAlone) {
  const std::string before =
      "REGEDIT4\r\n\r\n; mine\r\n[HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel]\r\n"
      "\"Unknown\"=hex(7):61,00,00\r\n\"MineBubbles\"=\"192\"\r\n\"Zeta\"=dword:00000005\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n\"X\"=\"y\"";
  Document doc = MustParse(before);
  const std::string key = "HKEY_CURRENT_USER\\Software\\HalvoTeam\\Nauvrel";
  const Bytes v = {0xc0, 0, 0, 0};
  const auto set = [&](Document& d, const std::string& k, const char* name) {
    return reg::file::SetValue(d, k, name, reg::REG_DWORD, v);
  };
  ASSERT_EQ(set(doc, key, "MineBubbles"), reg::file::SetResult::Done);
  std::string expected = before;
  expected.replace(expected.find("\"192\""), 5, "dword:000000c0");
  EXPECT_EQ(reg::file::Serialize(doc), expected);

  // A new value goes after the key's last value, in the file's own line endings; a file
  // without a final line break gets one before anything is added after its last line.
  ASSERT_EQ(set(doc, key, "New"), reg::file::SetResult::Done);
  ASSERT_EQ(set(doc, "HKEY_CURRENT_USER\\Software\\Other", "Z"), reg::file::SetResult::Done);
  const std::string after = reg::file::Serialize(doc);
  EXPECT_NE(after.find("\"Zeta\"=dword:00000005\r\n\"New\"=dword:000000c0\r\n\r\n"),
            std::string::npos);
  EXPECT_TRUE(after.ends_with("\"X\"=\"y\"\r\n\"Z\"=dword:000000c0\r\n"));
  EXPECT_EQ(set(doc, "HKEY_CURRENT_USER\\None", "A"), reg::file::SetResult::NoKey);

  // A last line that stops on a carriage return gets only the line feed it lacks, after a
  // key header as after a value, so that the file still reads.
  for (const std::string last :
       {"[HKEY_CURRENT_USER\\K]\r", "[HKEY_CURRENT_USER\\K]\n\"A\"=\"b\"\r"}) {
    Document cut = MustParse("REGEDIT4\r\n\r\n" + last);
    ASSERT_EQ(set(cut, "HKEY_CURRENT_USER\\K", "Z"), reg::file::SetResult::Done);
    reg::file::AddKey(cut, "HKEY_CURRENT_USER\\L");
    const Document reread = MustParse(reg::file::Serialize(cut));
    EXPECT_EQ(DataOf(reread, "Z", "HKEY_CURRENT_USER\\K"), v) << last;
    EXPECT_TRUE(reg::file::HasKey(reread, "HKEY_CURRENT_USER\\L")) << last;
  }
}

// Every type written reads back the same; a name with a line break cannot be written, and
// long binaries fold at eighty columns.
TEST(RegistryFile, WritesEveryTypeSoThatItReadsBackTheSame) {
  const struct {
    uint32_t type;
    Bytes data;
    std::string form;
  } cases[] = {
      {reg::REG_DWORD, {0xc0, 0, 0, 0}, "dword:000000c0"},
      {reg::REG_DWORD, {1, 2}, "hex(4):01,02"},  // a short dword keeps its bytes
      {reg::REG_SZ, {'a', '\\', '"', 0}, "\"a\\\\\\\"\""},
      {reg::REG_SZ, {'a', 'b'}, "hex(1):61,62"},  // no terminator: only hex keeps it so
      {reg::REG_SZ, {'a', '\n', 0}, "hex(1):61,0a,00"},
      {reg::REG_BINARY, {}, "hex:"},
      {reg::REG_MULTI_SZ, {'a', 0, 0}, "hex(7):61,00,00"},
      {0x1234, {0xff}, "hex(1234):ff"},
  };
  for (const auto& c : cases) {
    const std::string line = reg::file::FormatValue("V\"\\", c.type, c.data, "\n");
    EXPECT_EQ(line, "\"V\\\"\\\\\"=" + c.form);
    const Document doc = MustParse("REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n" + line + "\n");
    const reg::file::Line* back = reg::file::FindValue(doc, "HKEY_CURRENT_USER\\K", "V\"\\");
    ASSERT_NE(back, nullptr) << line;
    EXPECT_EQ(std::pair(back->type, back->data), std::pair(c.type, c.data)) << line;
  }
  EXPECT_EQ(reg::file::FormatValue("", reg::REG_SZ, Bytes({'x', 0}), "\n"), "@=\"x\"");
  EXPECT_EQ(reg::file::FormatValue("a\nb", reg::REG_SZ, Bytes({'x', 0}), "\n"), "");

  const Bytes table(720, 0xab);
  const std::string text = reg::file::FormatValue("HiScore", reg::REG_BINARY, table, "\r\n");
  size_t start = 0, lines = 0;
  for (size_t end = 0; end != std::string::npos; start = end + 2, ++lines) {
    end = text.find("\r\n", start);
    const std::string line = text.substr(start, end - start);
    EXPECT_LE(line.size(), 80u);
    EXPECT_TRUE(lines == 0 ? line.starts_with("\"HiScore\"=hex:ab,ab,") : line.starts_with("  ab"))
        << line;
    EXPECT_TRUE(end == std::string::npos ? !line.ends_with(",") : line.ends_with(",\\")) << line;
  }
  EXPECT_GT(lines, 20u);
  const Document doc = MustParse("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n" + text + "\r\n");
  EXPECT_EQ(DataOf(doc, "HiScore", "HKEY_LOCAL_MACHINE\\K"), table);
}
