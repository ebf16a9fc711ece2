#pragma once
// Scoring and the bonus effects.
#include <cstdint>

void MineHitScore();
void TorpedoHitScore();
// The effect of a bonus taken by the submarine (bySubmarine) or by the mine.
bool TakeBonus(int32_t kind, bool bySubmarine);
bool DetonateAllBarrels();
