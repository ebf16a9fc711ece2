// The display-mode dialog is not there yet: it is always as if cancelled.
#include "video/video.h"

bool sysSelectMode(int&, int&, const dd::GUID*&) { return false; }
