#include "app/init.h"
#include "app/language.h"
#include "app/shell.h"

bool sysShowError(const char* message) {
  sysReleaseAll();
  win::MessageBox(Shell.Window, message, Texts().ErrorCaption);
  return false;
}
