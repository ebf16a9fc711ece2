#include "app/init.h"
#include "app/shell.h"

bool sysShowError(const char* message) {
  sysReleaseAll();
  win::MessageBox(Shell.Window, message, ErrorCaption);
  return false;
}
