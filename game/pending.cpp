// Placeholder until the simulation lands: the world stands still.
#include "game/simulation.h"

bool SimulateFrame() { return true; }
