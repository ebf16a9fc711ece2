#pragma once
// Debugger output: silent unless debug logging is switched on.
void OutputDebugString(const char* text);
