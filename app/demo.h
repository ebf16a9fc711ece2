#pragma once
// Demos: a game recorded step by step (the clock's answers and the input handled between
// them) and played back exactly, also headless and as fast as the machine allows.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/window/window.h"

enum class DemoMode { Off, Record, Replay };

struct DemoState {
  DemoMode Mode = DemoMode::Off;
  std::string Path;
  FILE* File = nullptr;
  uint64_t Records = 0;  // records written or read so far
  bool Ended = false;    // replay: the end record was reached
  bool Broken = false;   // replay: the file stopped making sense
};
inline DemoState Demo;

constexpr uint32_t DemoVersion = 1;

// "--record FILE" or "--replay FILE" in the command line; false for a switch without a file.
bool DemoReadSwitches(const std::string& commandLine);
// After start-up: writes the header, or reads it and puts its settings, hi-score table and
// random state in place. False (with a message on standard error) for a refused file.
bool DemoStart();
void DemoFinish();
// Replay: the header of the open file, put in place as DemoStart does.
bool DemoReadHeader();

// Recording.
bool DemoRecordsInput(uint32_t message);
void DemoWriteMessage(const win::MSG& msg);
void DemoWriteFrame();
void DemoWriteTime(double elapsed);

// Replay: the next record, taken in place of the queue and the clock.
enum class DemoStep { Message, Frame, End };
DemoStep DemoNext(win::MSG& msg);
double DemoReadTime();
