// The hi-score screen: the ranked part of the table over its picture.
#include <cstdio>
#include <cstring>

#include "app/shell.h"
#include "persist/hiscore.h"
#include "screens/display.h"
#include "video/video.h"

namespace {
constexpr int ShownEntries = 15;
}

bool DisplayHiScore() {
  if (!DisplayHSBckg()) return false;
  for (int entry = 0; entry < ShownEntries; ++entry) {
    const HiScoreEntry& record = HiScores.Table[entry];
    // A name that fills its field has no terminator of its own.
    const auto nameLength = static_cast<int>(strnlen(record.name, sizeof record.name));
    char line[112];
    std::snprintf(line, sizeof line, "%-6d  %.*s", static_cast<int>(record.score), nameLength,
                  record.name);
    if (!sysPrintChar(30, 70 + 32 * entry, line)) return sysShowError(line);
  }
  return true;
}
