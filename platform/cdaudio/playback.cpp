// The disc reaches the speakers in three steps: a reader thread pulls PCM from the disc
// into a ring of chunks (drives seek and files decode, so never in the audio callback),
// the audio callback takes from the ring, and when the ring runs dry at the end of the
// disc the play request is over and its notification is posted.
#include "platform/cdaudio/playback.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/cdaudio/mci.h"
#include "platform/sound/mixer.h"

namespace mci {
namespace {

constexpr size_t ChunkFrames = 4096;
constexpr size_t ChunkCount = 12;  // about a second ahead
constexpr int MaxVolume = 1000;

struct Chunk {
  int track = 0;
  int64_t frame = 0;  // where in the track the chunk begins
  size_t frames = 0;
  size_t used = 0;
  std::array<int16_t, ChunkFrames * 2> samples{};
};

enum class PlayState { Stopped, Playing, Paused };

struct Player {
  std::mutex lock;
  std::condition_variable wake;  // the reader: room in the ring, a new request, quit
  Disc* disc = nullptr;
  bool manual = false;
  std::thread reader;
  bool quit = false;
  SDL_AudioStream* converter = nullptr;  // when the device is not 44 100 Hz 16-bit stereo

  PlayState state = PlayState::Stopped;
  DiscPosition played;  // what the listener hears now
  DiscPosition feed;    // where the reader goes on
  bool feedEnded = false;
  uint64_t request = 0;  // bumped by every new request, so stale reads are dropped
  int prefetched = 0;    // the track decoded ahead for this request

  bool notifyWaiting = false;
  win::HWND notifyWindow = nullptr;
  int volume = MaxVolume;  // per mille of the disc's own level

  std::vector<Chunk> ring = std::vector<Chunk>(ChunkCount);
  size_t head = 0;
  size_t filled = 0;
};
Player P;

void Notify(win::WPARAM code) {
  if (!P.notifyWaiting) return;
  P.notifyWaiting = false;
  win::PostMessage(P.notifyWindow, win::MM_MCINOTIFY, code, CDAudioDeviceId);
}

void Flush() {
  P.head = 0;
  P.filled = 0;
  P.feedEnded = false;
  ++P.request;
  P.prefetched = 0;
}

int TrackCount() { return static_cast<int>(P.disc->tracks.size()); }

// One read into the next free chunk. The lock is let go while the disc is read.
// Returns false when there is nothing to read.
bool ReadStep(std::unique_lock<std::mutex>& held) {
  if (P.state == PlayState::Stopped || P.feedEnded || P.filled == ChunkCount) return false;
  DiscPosition at = P.feed;
  uint64_t request = P.request;
  Chunk& chunk = P.ring[(P.head + P.filled) % ChunkCount];  // never touched by the callback
  held.unlock();
  size_t frames = ReadFrames(*P.disc, at.track, at.frame, chunk.samples.data(), ChunkFrames);
  held.lock();
  if (request != P.request) return true;
  if (frames == 0) {
    P.feed = {at.track + 1, 0};
    if (P.feed.track > TrackCount()) P.feedEnded = true;
    return true;
  }
  chunk.track = at.track;
  chunk.frame = at.frame;
  chunk.frames = frames;
  chunk.used = 0;
  ++P.filled;
  P.feed.frame += static_cast<int64_t>(frames);
  return true;
}

// Decode the next track while the ring is full, so that it is ready when reached.
void PrefetchStep(std::unique_lock<std::mutex>& held) {
  int next = P.feed.track + 1;
  if (P.state == PlayState::Stopped || P.feedEnded || P.prefetched == next || next > TrackCount())
    return;
  P.prefetched = next;
  held.unlock();
  Prefetch(*P.disc, next);
  held.lock();
}

void ReaderLoop() {
  std::unique_lock<std::mutex> held(P.lock);
  while (!P.quit) {
    if (ReadStep(held)) continue;
    PrefetchStep(held);
    if (P.quit) break;
    P.wake.wait(held, [] {
      return P.quit || (P.state != PlayState::Stopped && !P.feedEnded && P.filled < ChunkCount);
    });
  }
}

// Takes up to `frames` frames for the listener; at the end of the disc the request ends.
size_t Take(int16_t* out, size_t frames) {
  size_t taken = 0;
  while (taken < frames && P.state == PlayState::Playing) {
    if (P.filled == 0) {
      if (P.feedEnded) {
        P.state = PlayState::Stopped;
        P.played = {1, 0};
        Flush();
        Notify(MCI_NOTIFY_SUCCESSFUL);
      }
      break;  // an empty ring before the end: the reader is behind, silence meanwhile
    }
    Chunk& chunk = P.ring[P.head];
    size_t n = std::min(frames - taken, chunk.frames - chunk.used);
    std::memcpy(out + taken * 2, chunk.samples.data() + chunk.used * 2, n * 2 * sizeof(int16_t));
    chunk.used += n;
    taken += n;
    P.played = {chunk.track, chunk.frame + static_cast<int64_t>(chunk.used)};
    if (chunk.used == chunk.frames) {
      P.head = (P.head + 1) % ChunkCount;
      --P.filled;
      P.wake.notify_one();
    }
  }
  return taken;
}

void Scale(int16_t* samples, size_t count) {
  if (P.volume >= MaxVolume) return;
  for (size_t i = 0; i < count; ++i)
    samples[i] = static_cast<int16_t>(samples[i] * P.volume / MaxVolume);
}

void AudioCallback(void*, Uint8* stream, int length) {
  std::memset(stream, 0, static_cast<size_t>(length));
  std::array<int16_t, 1024 * 2> buffer;
  std::lock_guard<std::mutex> held(P.lock);
  if (!P.converter) {
    Take(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length) / 4);
  } else {
    while (SDL_AudioStreamAvailable(P.converter) < length) {
      size_t n = Take(buffer.data(), 1024);
      if (n == 0) break;
      SDL_AudioStreamPut(P.converter, buffer.data(), static_cast<int>(n * 4));
    }
    SDL_AudioStreamGet(P.converter, stream, length);
  }
  Scale(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length) / sizeof(int16_t));
}

SDL_AudioStream* MakeConverter() {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (!Mix_QuerySpec(&rate, &format, &channels)) return nullptr;
  if (rate == SampleRate && format == AUDIO_S16SYS && channels == 2) return nullptr;
  return SDL_NewAudioStream(AUDIO_S16SYS, 2, SampleRate, format, static_cast<Uint8>(channels),
                            rate);
}

// A reopened output may run at another rate; the position goes on where it was.
void OutputReopened() {
  if (!P.disc || P.manual) return;
  {
    std::lock_guard<std::mutex> held(P.lock);
    if (P.converter) SDL_FreeAudioStream(P.converter);
    P.converter = MakeConverter();
  }
  Mix_HookMusic(AudioCallback, nullptr);
}

}  // namespace

void SetPlaybackVolume(int perMille) {
  std::lock_guard<std::mutex> held(P.lock);
  P.volume = std::clamp(perMille, 0, MaxVolume);
}

void StartPlayback(Disc& disc, bool manual) {
  {
    std::lock_guard<std::mutex> held(P.lock);
    P.disc = &disc;
    P.manual = manual;
    P.quit = false;
    P.state = PlayState::Stopped;
    P.played = P.feed = {1, 0};
    P.notifyWaiting = false;
    Flush();
  }
  if (manual) return;
  mixer::OnReopen(OutputReopened);
  P.converter = MakeConverter();
  P.reader = std::thread(ReaderLoop);
  Mix_HookMusic(AudioCallback, nullptr);
}

void EndPlayback() {
  if (!P.disc) return;
  {
    std::lock_guard<std::mutex> held(P.lock);
    Notify(MCI_NOTIFY_ABORTED);
    P.state = PlayState::Stopped;
    P.quit = true;
  }
  if (!P.manual) {
    Mix_HookMusic(nullptr, nullptr);  // waits for a callback in progress
    P.wake.notify_all();
    P.reader.join();
    if (P.converter) SDL_FreeAudioStream(P.converter);
    P.converter = nullptr;
  }
  P.disc = nullptr;
}

void PlayFrom(DiscPosition from, bool notify, win::HWND window) {
  std::lock_guard<std::mutex> held(P.lock);
  Notify(notify ? MCI_NOTIFY_SUPERSEDED : MCI_NOTIFY_ABORTED);
  P.notifyWaiting = notify;
  P.notifyWindow = window;
  Flush();
  P.played = P.feed = from;
  P.state = PlayState::Playing;
  P.wake.notify_one();
}

void PausePlayback() {
  std::lock_guard<std::mutex> held(P.lock);
  Notify(MCI_NOTIFY_ABORTED);
  if (P.state == PlayState::Playing) P.state = PlayState::Paused;
}

void StopPlayback() {
  std::lock_guard<std::mutex> held(P.lock);
  Notify(MCI_NOTIFY_ABORTED);
  P.state = PlayState::Stopped;
  P.played = P.feed = {1, 0};
  Flush();
}

DiscPosition PlayedPosition() {
  std::lock_guard<std::mutex> held(P.lock);
  return P.played;
}

std::vector<int16_t> AdvancePlayback(size_t frames) {
  std::vector<int16_t> out(frames * 2);
  std::unique_lock<std::mutex> held(P.lock);
  size_t done = 0;
  while (done < frames && P.state == PlayState::Playing) {
    if (P.filled == 0 && !P.feedEnded) {
      ReadStep(held);
      continue;
    }
    done += Take(out.data() + done * 2, frames - done);
  }
  out.resize(done * 2);
  Scale(out.data(), out.size());
  return out;
}

}  // namespace mci
