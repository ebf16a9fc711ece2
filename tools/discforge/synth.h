#pragma once
// The few instruments of the demo disc, each adding itself into a stereo float buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace discforge {

constexpr int Rate = 44100;

struct Stereo {
  std::vector<float> left, right;
  explicit Stereo(size_t frames) : left(frames), right(frames) {}
  size_t frames() const { return left.size(); }
};

double NoteHz(int midi);

// A soft pad note: two detuned triangles through a lowpass that opens with the swell.
void Pad(Stereo& out, double start, double length, int midi, float gain, float pan);
// A round bass note: sine with a little second harmonic, plucked.
void Bass(Stereo& out, double start, double length, int midi, float gain);
// A glassy two-operator FM bell.
void Bell(Stereo& out, double start, int midi, float gain, float pan);
void Kick(Stereo& out, double start, float gain);
void Shaker(Stereo& out, double start, float gain, float pan, uint32_t seed);
// A small rising bubble.
void Bubble(Stereo& out, double start, float gain, float pan);

// Echo in time with the music and a short diffuse tail.
void Echo(Stereo& signal, double delaySeconds, float feedback, float mix);
void Reverb(Stereo& signal, float mix);

// Fades, then scales the loudest sample to `peak`.
void Finish(Stereo& signal, double fadeIn, double fadeOut, float peak);

}  // namespace discforge
