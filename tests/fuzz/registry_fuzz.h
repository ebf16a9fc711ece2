#pragma once
// Fuzz entries for the registry: each takes any bytes, aborts when an invariant breaks.
// Run by libFuzzer (registry_fuzz, registry_hiscore_fuzz) and, over the seed corpus under
// tests/fuzz/corpus/registry/, by the ordinary persistence tests.
#include <cstddef>
#include <cstdint>

// The bytes as a hive file: reading, rewriting unchanged, changing values, reading back.
int FuzzRegistryFile(const uint8_t* data, size_t size);
// The first byte is a name length, the next four a score, the rest the stored HiScore
// value. Needs XDG_DATA_HOME pointed at a folder of the caller's.
int FuzzHiScoreValue(const uint8_t* data, size_t size);
