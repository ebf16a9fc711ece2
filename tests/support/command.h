#pragma once
// A shell command line run to its end, its output taken.
#include <string>

struct CommandResult {
  int status = -1;     // the exit status; -1 when it did not exit by itself
  std::string output;  // standard output and standard error together
};

CommandResult RunCommand(const std::string& command);
