#pragma once
// The entry points of the fuzz targets. The seed corpora run through them as ordinary tests.
#include <cstddef>
#include <cstdint>

// Reads the bytes as an archive and, when accepted, resolves and reads every member.
void FuzzArchiveReader(const uint8_t* data, size_t size);
// Decodes the bytes as a picture and renders it into small surfaces at 8 and 32 bits.
void FuzzPictureLoad(const uint8_t* data, size_t size);
// Reads the bytes as a demo, header and records, until it ends or is refused.
void FuzzDemoReader(const uint8_t* data, size_t size);
