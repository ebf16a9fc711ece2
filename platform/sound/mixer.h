#pragma once
// The one audio output, shared by the sound effects and the CD music: opened on first
// use at 44 100 Hz, 16-bit stereo, closed when the last user lets go. When the output goes
// away it is opened again on the default output, and each user is told so it can go on.
namespace mixer {

bool Acquire();  // false: no audio device (the game then runs silent)
void Release();
bool IsOpen();

// Closes the output and opens the default one again; true when one could be opened, and
// then every listener has been called. On false the output stays closed for its users.
bool Reopen();
using Listener = void (*)();
void OnReopen(Listener listener);  // each listener once, however often it is added

namespace testing {
void NoOutput(bool none);  // no output can be opened while set
}

}  // namespace mixer
