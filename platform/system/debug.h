#pragma once
// Debugger output: silent unless debug logging is switched on.
#include <cstddef>

void OutputDebugString(const char* text);
// Switches the debug output on (to standard error) for the rest of the run.
void EnableDebugOutput();
// The first `length` bytes of a text that need not end there.
void OutputDebugString(const char* text, size_t length);
