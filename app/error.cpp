#include "app/init.h"
#include "app/language.h"
#include "app/shell.h"

bool sysShowError(const char* message) {
  // A failure reported while everything is being released (the CD stop at the end of
  // sysReleaseAll) shows its message without starting the release again.
  if (!Shell.ReleasingAll) {
    Shell.ReleasingAll = true;
    sysReleaseAll();
    Shell.ReleasingAll = false;
  }
  win::MessageBox(Shell.Window, message, Texts().ErrorCaption);
  return false;
}
