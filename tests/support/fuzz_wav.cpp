#include <cstdlib>
#include <cstring>

#include "audio/sound_state.h"
#include "audio/wav.h"
#include "support/fuzz_entries.h"

namespace {

// One device for the whole run, on the dummy output unless another is asked for.
bool OpenDevice() {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return !ds::FAILED(ds::DirectSoundCreate(nullptr, Sound.dsObject)) &&
         !ds::FAILED(Sound.dsObject->SetCooperativeLevel(nullptr, ds::DSSCL_PRIORITY));
}

}  // namespace

bool FuzzWavBuffer(const uint8_t* data, size_t size) {
  static const bool device = OpenDevice();
  if (!device) return false;
  GlobalBlock image = GlobalBlock::Alloc(size);
  if (!image) return false;
  std::memcpy(image.Lock().data(), data, size);
  const ds::LPDIRECTSOUNDBUFFER buffer = wavCreateBuffer(image);
  if (!buffer) return false;
  return buffer->Play(0, 0, 0) == ds::DS_OK;
}
