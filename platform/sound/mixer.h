#pragma once
// The one audio output, shared by the sound effects and the CD music: opened on first
// use at 44 100 Hz, 16-bit stereo, closed when the last user lets go.
namespace mixer {

bool Acquire();  // false: no audio device (the game then runs silent)
void Release();
bool IsOpen();

}  // namespace mixer
