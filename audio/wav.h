#pragma once
// WAV images parsed in memory.
#include "platform/mmio/riff.h"
#include "platform/sound/dsound.h"
#include "platform/system/system.h"

// Reads the RIFF header and the "fmt " chunk of a file standing at its start; fills `riff`
// with the RIFF chunk and `format` with a new record. E_FAIL on any fault.
ds::HRESULT wavReadFormat(mmio::MemFile& file, mmio::MMCKINFO& riff, ds::FormatRecord& format);

// A new static buffer holding the sound of a WAV image, or none.
ds::LPDIRECTSOUNDBUFFER wavCreateBuffer(const GlobalBlock& image);
