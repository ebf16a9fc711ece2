#pragma once
// One step of the world per idle turn, and the two player actions.

bool SimulateFrame();
bool DropMine();
bool FireTorpedo();
bool UpdateFloaters();
bool UpdateFallers();
bool UpdateBubbles();
