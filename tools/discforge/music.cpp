// Three calm pieces for playing under water: a swelling pad over a slow progression, a
// plucked bass line, soft kick and shaker, a scatter of bell notes, and bubbles. Every
// choice that looks random comes from a fixed-seed generator, so the disc is the same on
// every build.
#include "music.h"

#include <array>
#include <vector>

namespace discforge {
namespace {

struct Chord {
  std::array<int, 4> pad;  // MIDI notes
  int bass;                // MIDI root of the bass line
};

struct Piece {
  const char* title;
  double bpm;
  int bars;
  std::vector<Chord> progression;  // two bars each
  std::array<int, 8> bassSteps;    // eighths: semitones above the root, -1 rests
  bool kickOnThree;
  int shakerEvery;  // in eighths
  uint32_t seed;
};

const Piece Pieces[PieceCount] = {
    {"Hloubka",
     84,
     28,
     {{{50, 57, 60, 64}, 38},
      {{46, 53, 57, 62}, 34},
      {{50, 55, 58, 65}, 31},
      {{52, 55, 57, 62}, 33}},
     {0, -1, -1, 0, 7, -1, 12, -1},
     false,
     2,
     11},
    {"Proudy",
     100,
     32,
     {{{52, 55, 59, 66}, 40},
      {{55, 57, 61, 64}, 45},
      {{48, 52, 55, 59}, 36},
      {{50, 54, 57, 62}, 38}},
     {0, -1, 0, 12, -1, 7, 0, -1},
     true,
     1,
     23},
    {"Koraly",
     72,
     24,
     {{{53, 57, 60, 64}, 41},
      {{53, 55, 59, 62}, 41},
      {{52, 55, 59, 62}, 40},
      {{52, 57, 60, 64}, 45}},
     {0, -1, -1, -1, 7, -1, -1, 5},
     false,
     4,
     37},
};

// A small linear congruential generator: the same numbers on every machine.
struct Dice {
  uint32_t state;
  uint32_t Next() {
    state = state * 1103515245u + 12345u;
    return state >> 16;
  }
  double Unit() { return Next() / 65536.0; }
};

}  // namespace

std::string PieceTitle(int piece) { return Pieces[piece].title; }

Stereo ComposePiece(int index) {
  const Piece& piece = Pieces[index];
  const double beat = 60.0 / piece.bpm, bar = 4 * beat, eighth = beat / 2;
  const double tail = 3.0;
  Stereo music(static_cast<size_t>((piece.bars * bar + tail) * Rate));
  Stereo sends(music.frames());  // what goes through the echo
  Dice dice{piece.seed};

  // Sections: pad alone, then the bass, the rhythm, the bells, and the pad alone again.
  const int bassFrom = 4, rhythmFrom = 8, bellsFrom = 12, outroFrom = piece.bars - 4;
  const size_t chords = piece.progression.size();

  for (int b = 0; b < piece.bars; b += 2) {
    const Chord& chord = piece.progression[(b / 2) % chords];
    const double start = b * bar;
    for (int v = 0; v < 4; ++v) Pad(music, start, 2 * bar, chord.pad[v], 0.09f, (v - 1.5f) * 0.35f);

    for (int half = 0; half < 2; ++half) {
      const int barIndex = b + half;
      const double barStart = start + half * bar;
      const bool bass = barIndex >= bassFrom && barIndex < piece.bars - 1;
      const bool rhythm = barIndex >= rhythmFrom && barIndex < outroFrom;
      const bool bells = barIndex >= bellsFrom && barIndex < outroFrom + 2;

      for (int step = 0; step < 8; ++step) {
        const double at = barStart + step * eighth;
        if (bass && piece.bassSteps[step] >= 0)
          Bass(music, at, eighth * 1.6, chord.bass + piece.bassSteps[step], 0.32f);
        if (rhythm && step % piece.shakerEvery == piece.shakerEvery / 2)
          Shaker(music, at, step % 4 == 2 ? 0.05f : 0.03f, 0.3f, dice.Next());
        if (rhythm && (step == 0 || (piece.kickOnThree && step == 4))) Kick(music, at, 0.35f);
        if (bells && dice.Unit() < 0.3) {
          int note = chord.pad[dice.Next() % 4] + (dice.Unit() < 0.7 ? 12 : 24);
          Bell(sends, at, note, 0.07f, dice.Unit() < 0.5 ? -0.5f : 0.5f);
        }
      }
      for (int bubble = 0; bubble < 3; ++bubble) {
        if (dice.Unit() < 0.55)
          Bubble(sends, barStart + dice.Unit() * bar, 0.025f,
                 static_cast<float>(dice.Unit() * 1.6 - 0.8));
      }
    }
  }

  Echo(sends, 3 * eighth, 0.4f, 0.6f);
  for (size_t i = 0; i < music.frames(); ++i) {
    music.left[i] += sends.left[i];
    music.right[i] += sends.right[i];
  }
  Reverb(music, 0.5f);
  Finish(music, 1.5, 2 * bar + tail, 0.8f);
  return music;
}

}  // namespace discforge
