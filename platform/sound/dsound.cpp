#include "platform/sound/dsound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "platform/sound/format.h"
#include "platform/sound/mixer.h"

namespace ds {

constexpr uint32_t MaxBufferBytes = 0x0FFFFFFF;  // DirectSound's limits
constexpr uint32_t MinBufferBytes = 4;
constexpr uint32_t DescriptionSize = 36;  // the record as DirectSound knows it

// Hundredths of a decibel as a mixer volume; anything above silence stays audible.
int MixerVolume(int32_t volume) {
  if (volume <= DSBVOLUME_MIN) return 0;
  const double gain = std::pow(10.0, volume / 2000.0);
  return std::max(1, static_cast<int>(std::lround(gain * MIX_MAX_VOLUME)));
}

// The open device: holds the shared audio output while any object or buffer lives.
struct Device {
  int rate = 44100;
  int channels = 2;
  bool lost = false;  // the output went away and no other could be opened
  std::vector<bool> channelsInUse;
  std::vector<DirectSoundBuffer*> buffers;  // alive, for a reopened output

  ~Device() {
    if (!lost) Mix_HaltChannel(-1);  // a closed output has nothing to halt
    mixer::Release();
  }
  int TakeChannel() {
    if (lost) return -1;
    auto free = std::find(channelsInUse.begin(), channelsInUse.end(), false);
    if (free != channelsInUse.end()) {
      *free = true;
      const int channel = static_cast<int>(free - channelsInUse.begin());
      Mix_Volume(channel, MIX_MAX_VOLUME);
      return channel;
    }
    const int n = static_cast<int>(channelsInUse.size()) + 1;
    if (Mix_AllocateChannels(n) != n) return -1;
    channelsInUse.push_back(true);
    Mix_Volume(n - 1, MIX_MAX_VOLUME);
    return n - 1;
  }
  // The output was opened again: the channels come back with their volumes, and samples
  // are converted anew if the output's format changed. Duplicates share their source's.
  void Reopened();
  void GiveChannel(int channel) {
    if (channel < 0) return;
    if (!lost) Mix_HaltChannel(channel);
    channelsInUse[channel] = false;
  }
};

// Samples in the device's format, shared by a buffer and its duplicates.
struct Samples {
  std::vector<int16_t> pcm;
  Mix_Chunk chunk{};
};

namespace {

// What tests look at and the failures they ask for.
struct TestingState {
  std::map<const DirectSoundBuffer*, testing::PlayCounts> counts;
  std::vector<const DirectSoundBuffer*> log;
  HRESULT failPlay = DS_OK;
  bool failCreate = false;
  int live = 0;
};
TestingState Testing;

// The device DirectSoundCreate opened last, while it lives.
std::weak_ptr<Device> OpenDevice;

void OutputReopened() {
  if (const std::shared_ptr<Device> device = OpenDevice.lock()) device->Reopened();
}

}  // namespace

void Device::Reopened() {
  int frequency = 0, outputChannels = 0;
  Uint16 format = 0;
  if (!Mix_QuerySpec(&frequency, &format, &outputChannels) || format != AUDIO_S16SYS) {
    lost = true;
    return;
  }
  const bool changed = frequency != rate || outputChannels != channels;
  rate = frequency;
  channels = outputChannels;
  Mix_AllocateChannels(static_cast<int>(channelsInUse.size()));
  for (DirectSoundBuffer* buffer : buffers) {
    if (buffer->channel >= 0) Mix_Volume(buffer->channel, MixerVolume(buffer->volume));
    SampleLayout layout;
    if (!changed || buffer->primary || buffer->raw.empty() || !buffer->samples ||
        !ReadLayout(*buffer->format.Get(), layout))
      continue;
    Samples& shared = *buffer->samples;
    shared.pcm = ConvertToDevice(layout, buffer->raw, rate, channels);
    shared.chunk.abuf = reinterpret_cast<Uint8*>(shared.pcm.data());
    shared.chunk.alen = static_cast<Uint32>(shared.pcm.size() * sizeof(int16_t));
  }
}

DirectSoundBuffer::~DirectSoundBuffer() {
  if (device) {
    device->GiveChannel(channel);
    std::erase(device->buffers, this);
  }
  samples.reset();  // before the device may close
  Testing.counts.erase(this);
  std::replace(Testing.log.begin(), Testing.log.end(), static_cast<const DirectSoundBuffer*>(this),
               static_cast<const DirectSoundBuffer*>(nullptr));
  --Testing.live;
}

HRESULT DirectSoundBuffer::SetFormat(const WAVEFORMATEX* f) {
  if (!primary || !f) return DSERR_INVALIDCALL;
  if (f->wFormatTag != WAVE_FORMAT_PCM || f->nChannels != 2 || f->nSamplesPerSec != 44100 ||
      f->wBitsPerSample != 16 || f->nBlockAlign != 4 || f->nAvgBytesPerSec != 176400)
    return DSERR_BADFORMAT;
  return DS_OK;
}

HRESULT DirectSoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** region1, uint32_t* bytes1,
                                void** region2, uint32_t* bytes2, uint32_t) {
  if (primary || locked || !region1 || !bytes1) return DSERR_INVALIDPARAM;
  if (offset >= raw.size() || bytes > raw.size() - offset) return DSERR_INVALIDPARAM;
  locked = true;
  *region1 = raw.data() + offset;
  *bytes1 = bytes;
  if (region2) *region2 = nullptr;
  if (bytes2) *bytes2 = 0;
  return DS_OK;
}

HRESULT DirectSoundBuffer::Unlock(void*, uint32_t, void*, uint32_t) {
  if (!locked) return DSERR_INVALIDCALL;
  locked = false;
  SampleLayout layout;
  if (!ReadLayout(*format.Get(), layout)) return DSERR_INVALIDCALL;
  // A new sample set, so that duplicates made earlier keep what they had.
  auto converted = std::make_shared<Samples>();
  converted->pcm = ConvertToDevice(layout, raw, device->rate, device->channels);
  converted->chunk.abuf = reinterpret_cast<Uint8*>(converted->pcm.data());
  converted->chunk.alen = static_cast<Uint32>(converted->pcm.size() * sizeof(int16_t));
  converted->chunk.volume = MIX_MAX_VOLUME;
  if (channel >= 0 && !device->lost) Mix_HaltChannel(channel);
  samples = std::move(converted);
  return DS_OK;
}

HRESULT DirectSoundBuffer::Play(uint32_t, uint32_t, uint32_t) {
  Testing.log.push_back(this);
  ++Testing.counts[this].requests;
  if (Testing.failPlay != DS_OK) return Testing.failPlay;
  if (primary) return DSERR_INVALIDCALL;
  if (device->lost) return DSERR_BUFFERLOST;
  if (Mix_Playing(channel) && Mix_GetChunk(channel) == &samples->chunk) return DS_OK;
  ++Testing.counts[this].starts;
  if (samples->chunk.alen == 0) return DS_OK;  // nothing to hear, and nothing to fail
  // The mixer refusing a channel is not a fault of the game's: the sound is just not heard.
  Mix_PlayChannel(channel, &samples->chunk, 0);
  return DS_OK;
}

HRESULT DirectSoundBuffer::SetVolume(int32_t newVolume) {
  if (primary) return DSERR_INVALIDCALL;
  if (newVolume < DSBVOLUME_MIN || newVolume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
  volume = newVolume;
  if (!device->lost) Mix_Volume(channel, MixerVolume(volume));
  return DS_OK;
}

HRESULT DirectSound::SetCooperativeLevel(win::HWND, uint32_t newLevel) {
  if (newLevel < DSSCL_NORMAL || newLevel > 3) return DSERR_INVALIDPARAM;
  level = newLevel;
  return DS_OK;
}

HRESULT DirectSound::CreateSoundBuffer(const DSBUFFERDESC* desc, LPDIRECTSOUNDBUFFER& buffer) {
  buffer.reset();
  if (!desc || desc->dwSize != DescriptionSize || level == 0) return DSERR_INVALIDPARAM;
  auto made = std::make_unique<DirectSoundBuffer>();
  ++Testing.live;
  made->device = device;
  device->buffers.push_back(made.get());
  if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) {
    if (desc->dwBufferBytes != 0 || desc->lpwfxFormat) return DSERR_INVALIDPARAM;
    made->primary = true;
    buffer = std::move(made);
    return DS_OK;
  }
  const WAVEFORMATEX* f = desc->lpwfxFormat;
  if (!f || desc->dwBufferBytes < MinBufferBytes || desc->dwBufferBytes > MaxBufferBytes)
    return DSERR_INVALIDPARAM;
  SampleLayout layout;
  if (!ReadLayout(*f, layout)) return DSERR_BADFORMAT;
  made->format.bytes.assign(reinterpret_cast<const uint8_t*>(f),
                            reinterpret_cast<const uint8_t*>(f) + 18 + f->cbSize);
  made->raw.assign(desc->dwBufferBytes, 0);
  made->channel = device->TakeChannel();
  if (made->channel < 0) return DSERR_OUTOFMEMORY;
  made->samples = std::make_shared<Samples>();
  made->locked = true;  // converts the silence once
  made->Unlock(nullptr, 0, nullptr, 0);
  buffer = std::move(made);
  return DS_OK;
}

HRESULT DirectSound::DuplicateSoundBuffer(const DirectSoundBuffer* original,
                                          LPDIRECTSOUNDBUFFER& duplicate) {
  duplicate.reset();
  if (!original || original->primary || original->device != device) return DSERR_INVALIDPARAM;
  auto made = std::make_unique<DirectSoundBuffer>();
  ++Testing.live;
  made->device = device;
  device->buffers.push_back(made.get());
  made->format = original->format;
  made->samples = original->samples;
  made->channel = device->TakeChannel();
  if (made->channel < 0) return DSERR_OUTOFMEMORY;
  duplicate = std::move(made);
  return DS_OK;
}

HRESULT DirectSoundCreate(const void* guid, LPDIRECTSOUND& out) {
  out.reset();
  if (guid || Testing.failCreate) return DSERR_NODRIVER;
  if (!mixer::Acquire()) return DSERR_NODRIVER;
  auto device = std::make_shared<Device>();
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  if (!Mix_QuerySpec(&frequency, &format, &channels) || format != AUDIO_S16SYS) {
    return DSERR_NODRIVER;  // the device's destructor lets the output go
  }
  device->rate = frequency;
  device->channels = channels;
  Mix_AllocateChannels(0);
  OpenDevice = device;
  mixer::OnReopen(OutputReopened);
  out.reset(new DirectSound);
  out->device = std::move(device);
  return DS_OK;
}

void NoteDeviceRemoved() {
  const std::shared_ptr<Device> device = OpenDevice.lock();
  if (!mixer::IsOpen() || mixer::Reopen() || !device) return;
  device->lost = true;
}

namespace testing {
PlayCounts Plays(const DirectSoundBuffer* buffer) {
  auto found = Testing.counts.find(buffer);
  return found == Testing.counts.end() ? PlayCounts{} : found->second;
}
const std::vector<const DirectSoundBuffer*>& PlayLog() { return Testing.log; }
void ClearPlayLog() { Testing.log.clear(); }
void LoseDevice() { NoteDeviceRemoved(); }
void FailPlay(HRESULT code) { Testing.failPlay = code; }
void FailCreate(bool fail) { Testing.failCreate = fail; }
void NoOutput(bool none) { mixer::testing::NoOutput(none); }
int ChannelVolume(const DirectSoundBuffer* buffer) {
  return buffer && buffer->channel >= 0 ? Mix_Volume(buffer->channel, -1) : -1;
}
const std::vector<int16_t>* DeviceSamples(const DirectSoundBuffer* buffer) {
  return buffer && buffer->samples ? &buffer->samples->pcm : nullptr;
}
bool SharesSamples(const DirectSoundBuffer* a, const DirectSoundBuffer* b) {
  return a && b && a->samples && a->samples == b->samples;
}
int LiveBuffers() { return Testing.live; }
}  // namespace testing

}  // namespace ds
