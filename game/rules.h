#pragma once
// Scoring and the bonus effects.
#include <cstdint>

// The score rises by points (the best score follows it) or falls by them, never below 0.
void AddPoints(int32_t points);
void RemovePoints(int32_t points);
void MineHitScore();
void TorpedoHitScore();
// The bonus lying in cell (column, row) taken by the submarine (bySubmarine) or by the
// mine: its sound, the cell emptied, then its effect. False when the sound fails.
bool TakeBonus(int column, int row, bool bySubmarine);
bool DetonateAllBarrels();
