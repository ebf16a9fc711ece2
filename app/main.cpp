// The program: the command line becomes one text, as the game searches it for switches.
#include <string>

#include "app/shell.h"

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  return WinMain(commandLine);
}
