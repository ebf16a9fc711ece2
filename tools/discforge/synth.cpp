#include "synth.h"

#include <algorithm>
#include <cmath>

namespace discforge {
namespace {

constexpr double Pi = 3.14159265358979323846;

size_t FrameAt(double seconds) { return static_cast<size_t>(std::max(0.0, seconds) * Rate); }

void Panned(Stereo& out, size_t i, float sample, float pan) {
  out.left[i] += sample * (1.0f - pan) * 0.5f * 1.4f;
  out.right[i] += sample * (1.0f + pan) * 0.5f * 1.4f;
}

double Triangle(double phase) { return 4.0 * std::fabs(phase - 0.5) - 1.0; }

}  // namespace

double NoteHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

void Pad(Stereo& out, double start, double length, int midi, float gain, float pan) {
  const double attack = std::min(1.2, length * 0.4), release = 1.6;
  const size_t first = FrameAt(start);
  const size_t last = std::min(out.frames(), FrameAt(start + length + release));
  const double hz = NoteHz(midi);
  const double stepA = hz * 1.0029 / Rate, stepB = hz * 0.9971 / Rate;
  double phaseA = 0.0, phaseB = 0.37, low = 0.0, coefficient = 0.0;
  for (size_t i = first; i < last; ++i) {
    double t = static_cast<double>(i - first) / Rate;
    double envelope = t < attack   ? t / attack
                      : t < length ? 1.0
                                   : std::max(0.0, 1.0 - (t - length) / release);
    if ((i - first) % 32 == 0) {
      double cutoff = 300.0 + 1500.0 * envelope * envelope;
      coefficient = 1.0 - std::exp(-2.0 * Pi * cutoff / Rate);
    }
    phaseA += stepA;
    phaseB += stepB;
    if (phaseA >= 1.0) phaseA -= 1.0;
    if (phaseB >= 1.0) phaseB -= 1.0;
    double raw = Triangle(phaseA) + Triangle(phaseB);
    low += coefficient * (raw - low);
    float sample = static_cast<float>(low * envelope * envelope) * gain;
    out.left[i] += sample * (1.0f - pan);
    out.right[i] += sample * (1.0f + pan);
  }
}

void Bass(Stereo& out, double start, double length, int midi, float gain) {
  const size_t first = FrameAt(start);
  const size_t last = std::min(out.frames(), FrameAt(start + length + 0.08));
  const double step = 2.0 * Pi * NoteHz(midi) / Rate;
  double phase = 0.0;
  for (size_t i = first; i < last; ++i) {
    double t = static_cast<double>(i - first) / Rate;
    double envelope = std::min(1.0, t / 0.008) * std::exp(-t * 2.2);
    if (t > length) envelope *= std::max(0.0, 1.0 - (t - length) / 0.08);
    double sample = std::sin(phase) + 0.25 * std::sin(2.0 * phase) * std::exp(-t * 6.0);
    phase += step;
    float value = static_cast<float>(sample * envelope) * gain;
    out.left[i] += value;
    out.right[i] += value;
  }
}

void Bell(Stereo& out, double start, int midi, float gain, float pan) {
  const double length = 2.2;
  const size_t first = FrameAt(start);
  const size_t last = std::min(out.frames(), FrameAt(start + length));
  const double carrier = 2.0 * Pi * NoteHz(midi) / Rate;
  const double modulator = carrier * 3.5;
  for (size_t i = first; i < last; ++i) {
    double t = static_cast<double>(i - first) / Rate;
    double n = static_cast<double>(i - first);
    double envelope = std::min(1.0, t / 0.004) * std::exp(-t * 2.6);
    double index = 1.8 * std::exp(-t * 5.0);
    double sample = std::sin(carrier * n + index * std::sin(modulator * n));
    Panned(out, i, static_cast<float>(sample * envelope) * gain, pan);
  }
}

void Kick(Stereo& out, double start, float gain) {
  const size_t first = FrameAt(start);
  const size_t last = std::min(out.frames(), FrameAt(start + 0.35));
  double phase = 0.0;
  for (size_t i = first; i < last; ++i) {
    double t = static_cast<double>(i - first) / Rate;
    double hz = 45.0 + 75.0 * std::exp(-t * 30.0);
    phase += 2.0 * Pi * hz / Rate;
    float value = static_cast<float>(std::sin(phase) * std::exp(-t * 9.0)) * gain;
    out.left[i] += value;
    out.right[i] += value;
  }
}

void Shaker(Stereo& out, double start, float gain, float pan, uint32_t seed) {
  const size_t first = FrameAt(start);
  const size_t last = std::min(out.frames(), FrameAt(start + 0.09));
  uint32_t state = seed * 2654435761u + 1;
  float previous = 0.0f;
  for (size_t i = first; i < last; ++i) {
    double t = static_cast<double>(i - first) / Rate;
    state = state * 1664525u + 1013904223u;
    float noise = static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
    float high = noise - previous;  // a first difference leaves the hiss, drops the rumble
    previous = noise;
    double envelope = std::min(1.0, t / 0.01) * std::exp(-t * 45.0);
    Panned(out, i, high * static_cast<float>(envelope) * gain, pan);
  }
}

void Bubble(Stereo& out, double start, float gain, float pan) {
  const double length = 0.07;
  const size_t first = FrameAt(start);
  const size_t last = std::min(out.frames(), FrameAt(start + length));
  double phase = 0.0;
  for (size_t i = first; i < last; ++i) {
    double t = static_cast<double>(i - first) / Rate;
    double hz = 500.0 + 1400.0 * (t / length) * (t / length);
    phase += 2.0 * Pi * hz / Rate;
    double envelope = std::sin(Pi * t / length);
    Panned(out, i, static_cast<float>(std::sin(phase) * envelope) * gain, pan);
  }
}

void Echo(Stereo& signal, double delaySeconds, float feedback, float mix) {
  const size_t delay = FrameAt(delaySeconds);
  std::vector<float> lineL(delay, 0.0f), lineR(delay, 0.0f);
  size_t at = 0;
  for (size_t i = 0; i < signal.frames(); ++i) {
    float dl = lineL[at], dr = lineR[at];
    // Ping-pong: each repeat crosses to the other side.
    lineL[at] = signal.left[i] * 0.5f + dr * feedback;
    lineR[at] = signal.right[i] * 0.5f + dl * feedback;
    signal.left[i] += dl * mix;
    signal.right[i] += dr * mix;
    if (++at == delay) at = 0;
  }
}

void Reverb(Stereo& signal, float mix) {
  // Four feedback combs into two allpasses per side, lengths a little apart left to right.
  const int combs[4] = {1557, 1617, 1491, 1422};
  const int allpasses[2] = {556, 441};
  for (int side = 0; side < 2; ++side) {
    std::vector<float>& channel = side == 0 ? signal.left : signal.right;
    std::vector<std::vector<float>> comb(4), allpass(2);
    for (int c = 0; c < 4; ++c) comb[c].assign(static_cast<size_t>(combs[c] + side * 23), 0.0f);
    for (int a = 0; a < 2; ++a)
      allpass[a].assign(static_cast<size_t>(allpasses[a] + side * 11), 0.0f);
    size_t combAt[4] = {}, allpassAt[2] = {};
    float damp[4] = {};
    for (size_t i = 0; i < channel.size(); ++i) {
      float input = channel[i] * 0.15f, wet = 0.0f;
      for (int c = 0; c < 4; ++c) {
        float delayed = comb[c][combAt[c]];
        damp[c] = delayed * 0.7f + damp[c] * 0.3f;
        comb[c][combAt[c]] = input + damp[c] * 0.84f;
        if (++combAt[c] == comb[c].size()) combAt[c] = 0;
        wet += delayed;
      }
      for (int a = 0; a < 2; ++a) {
        float delayed = allpass[a][allpassAt[a]];
        allpass[a][allpassAt[a]] = wet + delayed * 0.5f;
        wet = delayed - wet;
        if (++allpassAt[a] == allpass[a].size()) allpassAt[a] = 0;
      }
      channel[i] += wet * mix;
    }
  }
}

void Finish(Stereo& signal, double fadeIn, double fadeOut, float peak) {
  const size_t in = FrameAt(fadeIn), out = FrameAt(fadeOut), n = signal.frames();
  float loudest = 1e-9f;
  for (size_t i = 0; i < n; ++i) {
    float gain = 1.0f;
    if (i < in) gain = static_cast<float>(i) / static_cast<float>(in);
    if (i + out > n) gain = std::min(gain, static_cast<float>(n - i) / static_cast<float>(out));
    signal.left[i] *= gain;
    signal.right[i] *= gain;
    loudest = std::max({loudest, std::fabs(signal.left[i]), std::fabs(signal.right[i])});
  }
  const float scale = peak / loudest;
  for (size_t i = 0; i < n; ++i) {
    signal.left[i] *= scale;
    signal.right[i] *= scale;
  }
}

}  // namespace discforge
