// The program: --help and --version answer and exit; otherwise the command line becomes one
// text, as the game searches it for switches, and an argument no option accounts for is
// named on standard error before the game starts all the same.
#include <cstdio>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/shell.h"
#include "platform/system/system.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const CommandLine parsed = ParseCommandLine(args);
  if (parsed.action != CommandLineAction::Run) {
    const bool help = parsed.action == CommandLineAction::Help;
    std::fputs((help ? HelpText() : VersionText()).c_str(), stdout);
    return 0;
  }
  if (parsed.debug) EnableDebugOutput();
  for (const std::string& argument : parsed.unknown)
    std::fputs(UnknownArgumentWarning(argument).c_str(), stderr);

  std::string commandLine;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) commandLine += ' ';
    commandLine += args[i];
  }
  return WinMain(commandLine);
}
