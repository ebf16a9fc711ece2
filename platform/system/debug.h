#pragma once
// Debugger output: silent unless debug logging is switched on.
#include <cstddef>

void OutputDebugString(const char* text);
// The first `length` bytes of a text that need not end there.
void OutputDebugString(const char* text, size_t length);
