#pragma once
// The parts of the frame step that live in their own files.

// n bubbles at (x, y), each with delay rand() % 900 and then direction rand() % 36;
// a bubble that cannot be made is left out.
void EmitBubbles(int n, double x, double y);
// The burst around the exploding submarine; false when a bubble cannot be made.
bool EmitExplosionBubbles();
// The mine and the torpedo for a step of dt ms; false when the step must end the game.
bool StepMine(double dt);
bool StepTorpedo(double dt);
