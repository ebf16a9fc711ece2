#pragma once
// The entry points of the fuzz targets. The seed corpora run through them as ordinary tests.
#include <cstddef>
#include <cstdint>

// Reads the bytes as an archive and, when accepted, resolves and reads every member.
void FuzzArchiveReader(const uint8_t* data, size_t size);
