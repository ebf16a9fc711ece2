// Placeholder until CD music lands: no disc.
#include "audio/cd.h"

bool cdInit() { return true; }
bool cdResume() { return true; }
bool cdPause() { return true; }
bool cdStop() { return true; }
bool cdClose() { return true; }
bool cdNextTrack() { return true; }
bool cdPrevTrack() { return true; }
