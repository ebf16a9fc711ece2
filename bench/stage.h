#pragma once
// The game brought up headless for the benchmarks, and the play world they measure.
#include <cstdint>
#include <string>

namespace stage {

// A folder of its own with an archive of the bench pictures (or the built game's own
// Nauvrel.spl when there is one), a headless window and the whole of sysInit at the depth;
// the game is then in the play mode. Each call first takes down what a previous one set up.
bool Start(int depth);
void Stop();
// Writes the archive Start uses at the depth to `path`.
bool WriteArchive(int depth, const std::string& path);
// The folder Start made (it holds Nauvrel.spl).
const std::string& Folder();
// Where the pictures came from: "game archive" or "bench pictures".
const char* PictureSource();

// Level 3 with every grid cell taken (barrels, explosion phases and bonuses), `bubbles`
// bubbles on screen in both layers, one floating barrel, two fallers, a four-digit score
// and the level text. The frame clock then gives StepMs per step.
void BuildPlayWorld(int bubbles);
// The length of a step: 1 ms by default, where little moves from one frame to the next;
// 16 ms is a frame at 60 Hz.
void SetStepMs(int ms);
// One step of the world and the whole play drawing into the back buffer.
bool PlayFrame();

}  // namespace stage
