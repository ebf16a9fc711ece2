// The registry fuzz entries over their seed corpus: every seed holds the invariants.
#include <gtest/gtest.h>

#include "fuzz/registry_fuzz.h"
#include "platform/registry/file.h"
#include "support/hive_files.h"

namespace {

TEST(RegistryFuzzCorpus, EverySeedHoldsTheInvariants) {
  IsolatedUserData data;
  const auto readers = CorpusSeeds("registry/reader"), tables = CorpusSeeds("registry/hiscore");
  EXPECT_GE(readers.size(), 5u);
  EXPECT_GE(tables.size(), 5u);
  for (const auto& [name, bytes] : readers) {
    SCOPED_TRACE(name);
    reg::file::Document doc;
    std::string error;
    // nohive-*: no registry file; damaged-*: lines passed over; the rest read whole.
    EXPECT_EQ(reg::file::Parse(bytes, doc, error), !name.starts_with("nohive")) << error;
    EXPECT_EQ(doc.damage.empty(), !name.starts_with("damaged")) << doc.damage;
    FuzzRegistryFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  for (const auto& [name, bytes] : tables)
    FuzzHiScoreValue(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace
