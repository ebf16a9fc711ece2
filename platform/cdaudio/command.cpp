// Reading a command string: verb, device name, then the words of the one form each verb
// takes. Words are matched without regard to case, as the system's parser does.
#include "platform/cdaudio/command.h"

#include <cctype>
#include <sstream>

namespace mci {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) {
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    words.push_back(word);
  }
  return words;
}

bool IsNumber(const std::string& word) {
  if (word.empty() || word.size() > 6) return false;
  for (char c : word)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// "3" or "3:0:12:5": up to four colon-separated numbers.
std::optional<std::vector<int>> Position(const std::string& word) {
  std::vector<int> fields;
  size_t start = 0;
  while (true) {
    size_t colon = word.find(':', start);
    std::string field = word.substr(start, colon == std::string::npos ? colon : colon - start);
    if (!IsNumber(field) || fields.size() == 4) return std::nullopt;
    fields.push_back(std::stoi(field));
    if (colon == std::string::npos) return fields;
    start = colon + 1;
  }
}

ParsedCommand Fail(MCIERROR error) { return {std::nullopt, error}; }

Command Make(Verb verb, Item item = Item::None) {
  Command command;
  command.verb = verb;
  command.item = item;
  return command;
}

bool Is(const std::vector<std::string>& words, std::initializer_list<const char*> rest) {
  if (words.size() != 2 + rest.size()) return false;
  size_t i = 2;
  for (const char* word : rest)
    if (words[i++] != word) return false;
  return true;
}

ParsedCommand ParsePlay(const std::vector<std::string>& words) {
  Command command = Make(Verb::Play);
  size_t i = 2;
  if (i < words.size() && words[i] == "from") {
    if (i + 1 >= words.size()) return Fail(MCIERR_MISSING_PARAMETER);
    auto from = Position(words[i + 1]);
    if (!from) return Fail(MCIERR_OUTOFRANGE);
    command.from = *from;
    i += 2;
  }
  if (i < words.size() && words[i] == "notify") {
    command.notify = true;
    ++i;
  }
  if (i != words.size()) return Fail(MCIERR_UNRECOGNIZED_KEYWORD);
  return {command, 0};
}

ParsedCommand ParseStatus(const std::vector<std::string>& words) {
  Command command = Make(Verb::Status);
  if (Is(words, {"media", "present"})) {
    command.item = Item::MediaPresent;
  } else if (Is(words, {"number", "of", "tracks"})) {
    command.item = Item::NumberOfTracks;
  } else if (Is(words, {"current", "track"})) {
    command.item = Item::CurrentTrack;
  } else if (words.size() == 5 && words[2] == "type" && words[3] == "track") {
    if (!IsNumber(words[4])) return Fail(MCIERR_OUTOFRANGE);
    command.item = Item::TrackType;
    command.track = std::stoi(words[4]);
  } else {
    return Fail(words.size() == 2 ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD);
  }
  return {command, 0};
}

}  // namespace

ParsedCommand ParseCommand(const std::string& text) {
  std::vector<std::string> words = Words(text);
  if (words.empty()) return Fail(MCIERR_UNRECOGNIZED_COMMAND);

  const std::string& verb = words[0];
  static const std::pair<const char*, Verb> verbs[] = {
      {"open", Verb::Open},     {"close", Verb::Close},
      {"status", Verb::Status}, {"capability", Verb::Capability},
      {"set", Verb::Set},       {"setaudio", Verb::SetAudio},
      {"play", Verb::Play},     {"pause", Verb::Pause},
      {"stop", Verb::Stop}};
  const std::pair<const char*, Verb>* found = nullptr;
  for (const auto& entry : verbs)
    if (verb == entry.first) found = &entry;
  if (!found) return Fail(MCIERR_UNRECOGNIZED_COMMAND);
  if (words.size() < 2 || words[1] != "cdaudio") return Fail(MCIERR_INVALID_DEVICE_NAME);

  switch (found->second) {
    case Verb::Play:
      return ParsePlay(words);
    case Verb::Status:
      return ParseStatus(words);
    case Verb::Capability:
      if (!Is(words, {"has", "audio"})) return Fail(MCIERR_UNRECOGNIZED_KEYWORD);
      return {Make(Verb::Capability, Item::HasAudio), 0};
    case Verb::Set:
      if (Is(words, {"time", "format", "tmsf"})) return {Make(Verb::Set, Item::TimeFormatTmsf), 0};
      if (Is(words, {"time", "format", "msf"})) return {Make(Verb::Set, Item::TimeFormatMsf), 0};
      return Fail(MCIERR_UNRECOGNIZED_KEYWORD);
    case Verb::SetAudio: {
      if (words.size() != 5 || words[2] != "volume" || words[3] != "to")
        return Fail(MCIERR_UNRECOGNIZED_KEYWORD);
      if (!IsNumber(words[4]) || std::stoi(words[4]) > 1000) return Fail(MCIERR_OUTOFRANGE);
      Command command = Make(Verb::SetAudio, Item::Volume);
      command.volume = std::stoi(words[4]);
      return {command, 0};
    }
    default:
      if (words.size() != 2) return Fail(MCIERR_UNRECOGNIZED_KEYWORD);
      return {Make(found->second), 0};
  }
}

}  // namespace mci
