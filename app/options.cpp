#include "app/options.h"

#include <algorithm>
#include <iterator>

#include "build_info.h"

namespace {

// The original switches count wherever they occur; so, as the game reads them, do
// --windowed and the demo switches.
constexpr Option OptionTable[] = {
    {"--help", nullptr, "show this help and exit", false},
    {"--version", nullptr, "show the name and version and exit", false},
    {"--windowed", nullptr, "start in a window instead of full screen", true},
    {"--scale=", "MODE", "scaling: smooth (default), integer, nearest, linear", true},
    {"--use-16-bit-colors", nullptr, "16-bit colour display", true},
    {"--use-8-bit-colors", nullptr, "8-bit palettised display (wins over 16)", true},
    {"--double-buffer", nullptr, "two back buffers", true},
    {"--select-mode", nullptr, "choose the display and its mode in a dialog first", true},
    {"--no-sound", nullptr, "no sound effects", true},
    {"--no-cd-music", nullptr, "no CD music", true},
    {"--no-background", nullptr, "black playfield instead of the pictures", true},
    {"--sound-volume=", "N", "sound-effects volume 0 to 100 (remembered)", true},
    {"--music-volume=", "N", "music volume 0 to 100 (remembered)", true},
    {"--lang=", "en|cs", "English or Czech edition (remembered)", true},
    {"--debug", nullptr, "the debug log on standard error (CD tracks, texts)", false},
    {"--record", "FILE", "write every step of the run to FILE (a demo)", true},
    {"--replay", "FILE", "replay the demo FILE instead of input and clock", true},
};

constexpr ManualLine KeyTable[] = {
    {"Space", "drop a mine down the column under the submarine"},
    {"Ctrl", "fire a torpedo along the submarine's row"},
    {"Esc", "pause and go to the menu; on the menu, quit"},
    {"M", "CD music: pause or resume"},
    {"N", "CD music: next track"},
    {"P", "CD music: previous track"},
    {"F5, F6", "sound effects quieter, louder (on every screen)"},
    {"F7, F8", "music quieter, louder (on every screen)"},
    {"F12", "quit at once (settings and hi-scores are saved)"},
    {"Alt+Enter", "full screen or window"},
    {"Mouse", "the menu, the help pages and the settings screen"},
    {"Gamepad",
     "A drops a mine, B or a trigger fires a torpedo, Start or Back pauses; on the other "
     "screens the d-pad or stick moves a highlight, A clicks, left and right move a slider"},
};

constexpr ManualLine FileTable[] = {
    {"Nauvrel.spl",
     "the pictures and sounds; looked for in the working directory, then in the program's "
     "folder, then in the installed data folder (share/nauvrel of the install prefix)"},
    {"CD/",
     "music when no audio CD is in a drive: a CUE sheet with its BIN image, or audio files "
     "named by track number (01 Intro.ogg, Track02.flac, ...); looked for in the same "
     "folders"},
    {"$XDG_DATA_HOME/HalvoTeam/Nauvrel/",
     "settings (HKEY_CURRENT_USER.reg) and hi-scores (HKEY_LOCAL_MACHINE.reg); "
     "~/.local/share/HalvoTeam/Nauvrel/ when XDG_DATA_HOME is unset"},
};

constexpr ManualLine EnvironmentTable[] = {
    {"XDG_DATA_HOME", "where the settings and hi-scores are kept"},
    {"SDL_VIDEODRIVER, SDL_AUDIODRIVER", "dummy runs the game without a display or sound card"},
    {"NAUVREL_QUIT_AFTER_FRAMES",
     "N closes the game after N presented frames (tests and benchmarks)"},
};

constexpr ManualLine ExitStatusTable[] = {
    {"0", "the game was quit"},
    {"1",
     "a start-up failure was shown in a message box, a demo file was refused, or "
     "--record or --replay came without a file"},
    {"2", "a replay went another way than its recording"},
};

bool Names(const Option& option, const std::string& argument) {
  return option.within ? argument.find(option.name) != std::string::npos : argument == option.name;
}

const Option* Find(const std::string& argument) {
  const auto found = std::find_if(std::begin(OptionTable), std::end(OptionTable),
                                  [&](const Option& o) { return Names(o, argument); });
  return found == std::end(OptionTable) ? nullptr : found;
}

// "  term   text", the text wrapped to the terminal's usual 80 columns under its column.
std::string HelpLine(const std::string& term, const std::string& text) {
  constexpr size_t Column = 24, Width = 79;
  std::string out = "  " + term;
  out += out.size() + 2 > Column ? "\n" + std::string(Column, ' ')
                                 : std::string(Column - out.size(), ' ');
  size_t lineLength = Column;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(at, end - at);
    if (lineLength > Column && lineLength + 1 + word.size() > Width) {
      out += "\n" + std::string(Column, ' ');
      lineLength = Column;
    } else if (lineLength > Column) {
      out += ' ';
      ++lineLength;
    }
    out += word;
    lineLength += word.size();
    at = end + 1;
  }
  return out + "\n";
}

// An option whose name ends in '=' takes its value in the same word.
bool ValueJoined(const Option& option) { return std::string_view(option.name).ends_with('='); }

std::string Usage(const Option& option) {
  if (!option.value) return option.name;
  return std::string(option.name) + (ValueJoined(option) ? "" : " ") + option.value;
}

// roff treats a leading dot or quote as a request and a backslash as an escape.
std::string Roff(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

void ManualSection(std::string& page, const char* title, std::span<const ManualLine> lines) {
  page += std::string(".SH ") + title + "\n";
  for (const ManualLine& line : lines)
    page += ".TP\n.B " + Roff(line.term) + "\n" + Roff(line.text) + "\n";
}

}  // namespace

std::span<const Option> Options() { return OptionTable; }
std::span<const ManualLine> Keys() { return KeyTable; }
std::span<const ManualLine> Files() { return FileTable; }
std::span<const ManualLine> Environment() { return EnvironmentTable; }
std::span<const ManualLine> ExitStatuses() { return ExitStatusTable; }

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  for (size_t i = 0; i < args.size(); ++i) {
    const Option* option = Find(args[i]);
    if (!option) {
      result.unknown.push_back(args[i]);
      continue;
    }
    const std::string_view name = option->name;
    if (name == "--help") result.action = CommandLineAction::Help;
    if (name == "--debug") result.debug = true;
    if (name == "--version" && result.action == CommandLineAction::Run)
      result.action = CommandLineAction::Version;
    if (option->value && !ValueJoined(*option) && i + 1 < args.size()) ++i;  // its value
  }
  return result;
}

const std::string* OptionValue(const std::vector<std::string>& args, std::string_view name) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == name) return &args[i + 1];
  return nullptr;
}

std::string HelpText() {
  std::string text = "Usage: nauvrel [OPTION]...\n";
  text += "Nauvrel, an underwater arcade game: steer a submarine over stacks of barrels.\n\n";
  text += "Options:\n";
  for (const Option& option : OptionTable) text += HelpLine(Usage(option), option.help);
  text += "\nFiles:\n";
  for (const ManualLine& line : FileTable) text += HelpLine(line.term, line.text);
  text += "\nSee nauvrel(6) for the keys, the environment and the exit statuses.\n";
  return text;
}

std::string VersionText() { return std::string("Nauvrel ") + NauvrelVersion + "\n"; }

std::string UnknownArgumentWarning(const std::string& argument) {
  return "nauvrel: unknown option '" + argument + "' ignored (see nauvrel --help)\n";
}

std::string ManualPage() {
  std::string page = std::string(".TH NAUVREL 6 \"\" \"Nauvrel ") + NauvrelVersion +
                     "\" \"Games\"\n.SH NAME\nnauvrel \\- an underwater arcade game\n";
  page += ".SH SYNOPSIS\n.B nauvrel\n[\\fIOPTION\\fR]...\n.SH DESCRIPTION\n";
  page +=
      "A submarine crosses the screen from left to right, pass after pass, one row lower "
      "each time, above stacks of barrels. Mines and torpedoes clear the way; touching a "
      "barrel ends the game. The menu, help pages and settings are worked with the mouse.\n";
  page +=
      ".PP\nThe display options count wherever they occur in the command line, also inside "
      "a longer word. An argument the game does not know is named in a warning on "
      "standard error, and the game starts all the same.\n";
  page += ".SH OPTIONS\n";
  for (const Option& option : OptionTable) {
    page += ".TP\n.B " + Roff(option.name);
    if (option.value) page += std::string(" \\fI") + option.value + "\\fR";
    page += "\n" + Roff(option.help) + "\n";
  }
  ManualSection(page, "KEYS", KeyTable);
  ManualSection(page, "FILES", FileTable);
  ManualSection(page, "ENVIRONMENT", EnvironmentTable);
  ManualSection(page, "EXIT STATUS", ExitStatusTable);
  return page;
}
