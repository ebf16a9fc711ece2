#pragma once
// The command line as a table: every option the game knows, with one line of help. --help,
// the warning for an unknown argument and the manual page are all made from it, so they
// cannot drift apart. A new option is one more row of Options (app/options.cpp).
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct Option {
  const char* name;  // "--no-sound"
  // What follows it ("FILE"), or nullptr for a switch alone; a name ending in '='
  // ("--scale=") takes its value in the same word.
  const char* value;
  const char* help;  // one line
  // Found anywhere in the command line, also inside a longer word, as the original
  // switches are; otherwise only as a whole argument.
  bool within;
};

// A line of one of the manual's other sections: keys, files, environment, exit statuses.
struct ManualLine {
  const char* term;
  const char* text;
};

std::span<const Option> Options();
std::span<const ManualLine> Keys();
std::span<const ManualLine> Files();
std::span<const ManualLine> Environment();
std::span<const ManualLine> ExitStatuses();

enum class CommandLineAction { Run, Help, Version };

struct CommandLine {
  CommandLineAction action = CommandLineAction::Run;
  bool debug = false;                // --debug: the debug log on standard error
  std::vector<std::string> unknown;  // arguments no option accounts for
};

// What the arguments (without the program name) ask for.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
// The value given after `name` ("--name VALUE" or "--name=VALUE"), or nullptr.
const std::string* OptionValue(const std::vector<std::string>& args, std::string_view name);

std::string HelpText();
std::string VersionText();
std::string UnknownArgumentWarning(const std::string& argument);
// The manual page, in roff (man(7)).
std::string ManualPage();
