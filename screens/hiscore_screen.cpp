// The hi-score screen: the ranked part of the table over its picture.
#include <cstdio>
#include <string_view>

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
    // A name that fills its field has no terminator of its own.
    const std::string_view name = hisName(entry);
    char line[112];
    std::snprintf(line, sizeof line, "%-6d  %.*s", static_cast<int>(HiScores.Table[entry].score),
                  static_cast<int>(name.size()), name.data());
    if (!sysPrintChar(30, 70 + 32 * entry, line)) return sysShowError(line);
  }
  return true;
}
