#include "sounds.hpp"

#include <algorithm>
#include <cmath>

#include "rng.hpp"

namespace forge {
namespace {

constexpr double kPi = 3.14159265358979323846;
using Signal = std::vector<double>;

Signal silence(double seconds) { return Signal(std::size_t(seconds * kSampleRate), 0.0); }

// One-pole low-pass whose cutoff may glide over the sound.
void lowPass(Signal& s, double fromHz, double toHz) {
  double y = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double f = fromHz + (toHz - fromHz) * double(i) / s.size();
    const double a = 1 - std::exp(-2 * kPi * f / kSampleRate);
    y += a * (s[i] - y);
    s[i] = y;
  }
}

void addTone(Signal& s, double start, double freq, double length, double level, double decay,
             double drop = 0) {
  double phase = 0;
  const std::size_t first = std::size_t(start * kSampleRate);
  const std::size_t n = std::size_t(length * kSampleRate);
  for (std::size_t i = 0; i < n && first + i < s.size(); ++i) {
    const double t = double(i) / kSampleRate;
    phase += 2 * kPi * freq * (1 - drop * t / length) / kSampleRate;
    const double attack = std::min(1.0, t / 0.004);
    s[first + i] += level * attack * std::exp(-t * decay) * std::sin(phase);
  }
}

// Fades against clicks, then scales the peak to the common level.
std::vector<std::int16_t> finish(Signal s, double peak = 0.89) {
  const std::size_t fadeIn = std::min<std::size_t>(s.size(), 88);
  const std::size_t fadeOut = std::min<std::size_t>(s.size(), 882);
  for (std::size_t i = 0; i < fadeIn; ++i) s[i] *= double(i) / fadeIn;
  for (std::size_t i = 0; i < fadeOut; ++i) s[s.size() - 1 - i] *= double(i) / fadeOut;
  double top = 1e-9;
  for (double v : s) top = std::max(top, std::fabs(v));
  std::vector<std::int16_t> out(s.size());
  for (std::size_t i = 0; i < s.size(); ++i)
    out[i] = std::int16_t(std::lround(s[i] / top * peak * 32767));
  return out;
}

// Noise burst with a falling low thump and a bubbling tail: the shape of every explosion.
Signal explosion(unsigned seed, double length, double thumpHz, double noiseFrom, double noiseTo,
                 double decay, int bubbles) {
  Rng rng(seed);
  Signal noise = silence(length);
  for (std::size_t i = 0; i < noise.size(); ++i) {
    const double t = double(i) / kSampleRate;
    noise[i] = (rng.unit() * 2 - 1) * std::exp(-t * decay) * std::min(1.0, t / 0.003);
  }
  lowPass(noise, noiseFrom, noiseTo);
  lowPass(noise, noiseFrom * 1.5, noiseTo * 1.5);
  Signal s = silence(length);
  for (std::size_t i = 0; i < s.size(); ++i) s[i] = noise[i] * 2.2;
  addTone(s, 0, thumpHz, std::min(length, 0.7), 0.9, 6.5, 0.6);
  addTone(s, 0, thumpHz * 0.5, std::min(length, 0.9), 0.6, 4.0, 0.4);
  for (int b = 0; b < bubbles; ++b) {
    const double start = rng.range(0.08, length * 0.7);
    const double f = rng.range(300, 900);
    // A bubble is a short sine whose pitch rises as it leaves.
    double phase = 0;
    const std::size_t first = std::size_t(start * kSampleRate), n = std::size_t(0.05 * kSampleRate);
    for (std::size_t i = 0; i < n && first + i < s.size(); ++i) {
      const double t = double(i) / kSampleRate;
      phase += 2 * kPi * f * (1 + 6 * t) / kSampleRate;
      s[first + i] += 0.12 * std::sin(phase) * std::exp(-t * 60) * std::min(1.0, t / 0.002);
    }
  }
  return s;
}

}  // namespace

std::vector<std::int16_t> makeMenuClick() {
  Signal s = silence(0.07);
  addTone(s, 0, 1400, 0.07, 0.7, 70);
  addTone(s, 0, 2800, 0.03, 0.25, 140);
  Rng rng(3);
  for (std::size_t i = 0; i < 200; ++i) s[i] += (rng.unit() - 0.5) * 0.4 * (1 - i / 200.0);
  return finish(s, 0.6);
}

std::vector<std::int16_t> makeBonusChime() {
  Signal s = silence(0.9);
  // A rising major arpeggio of bell tones: fundamental plus inharmonic partials.
  const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};
  for (int i = 0; i < 4; ++i) {
    const double at = i * 0.07;
    addTone(s, at, notes[i], 0.9 - at, 0.5, 6);
    addTone(s, at, notes[i] * 2.76, 0.4, 0.12, 14);
    addTone(s, at, notes[i] * 5.4, 0.2, 0.05, 25);
  }
  return finish(s, 0.8);
}

std::vector<std::int16_t> makeLevelUp() {
  Signal s = silence(1.6);
  // A short brass-like fanfare: G C E G, the last one held.
  const struct {
    double at, freq, length;
  } notes[] = {{0.0, 392.0, 0.16}, {0.16, 523.25, 0.16}, {0.32, 659.25, 0.16}, {0.48, 783.99, 1.1}};
  for (const auto& n : notes)
    for (int h = 1; h <= 7; ++h) {
      addTone(s, n.at, n.freq * h, n.length, 0.5 / h, n.length > 0.5 ? 2.2 : 5);
    }
  addTone(s, 0.48, 261.63, 1.1, 0.3, 2.0);
  lowPass(s, 5000, 2500);
  return finish(s, 0.85);
}

std::vector<std::int16_t> makeBarrelExplosion(int variant) {
  // Four colours of the same blast: short and sharp, dull and boomy, crackling, deep.
  const struct {
    double length, thump, from, to, decay;
    int bubbles;
  } kinds[4] = {{0.7, 85, 4500, 600, 7, 4},
                {0.9, 60, 2200, 300, 5, 6},
                {0.6, 110, 7000, 1200, 9, 3},
                {1.0, 50, 3000, 250, 4.5, 8}};
  const auto& k = kinds[variant];
  return finish(explosion(100 + variant, k.length, k.thump, k.from, k.to, k.decay, k.bubbles));
}

std::vector<std::int16_t> makeSubmarineExplosion() {
  Signal s = explosion(200, 2.6, 38, 2500, 120, 1.6, 40);
  // A second, later burst: the hull giving way.
  Signal second = explosion(201, 2.0, 45, 1800, 150, 2.2, 10);
  const std::size_t offset = std::size_t(0.35 * kSampleRate);
  for (std::size_t i = 0; i < second.size() && offset + i < s.size(); ++i)
    s[offset + i] += 0.7 * second[i];
  return finish(s, 0.92);
}

}  // namespace forge
