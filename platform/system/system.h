#pragma once
// The C run-time and kernel services the game calls, each kept to what the game uses:
// - rand/srand with the classic run-time formula, so a seed gives the same game everywhere;
// - movable global memory blocks (GlobalAlloc, GlobalLock, GlobalSize, GlobalFree);
// - debugger output, silent unless SDL's debug logging is on;
// - the folders where the game's data may stand (working directory, program, install);
// - the frame clock's two time sources (performance counter, millisecond timer);
// - the user's preferred language.
// Left out: every other allocator flag, heap and timer service; threads.
#include "platform/system/crt_rand.h"
#include "platform/system/data_folders.h"
#include "platform/system/debug.h"
#include "platform/system/locale.h"
#include "platform/system/memblock.h"
#include "platform/system/timer.h"
