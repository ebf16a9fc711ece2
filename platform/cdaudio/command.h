#pragma once
// The command strings the CD-audio device understands, read into a record.
#include <optional>
#include <string>
#include <vector>

#include "platform/cdaudio/mci.h"

namespace mci {

enum class Verb { Open, Close, Status, Capability, Set, SetAudio, Play, Pause, Stop };

enum class Item {
  None,
  MediaPresent,    // status … media present
  NumberOfTracks,  // status … number of tracks
  CurrentTrack,    // status … current track
  TrackType,       // status … type track N
  HasAudio,        // capability … has audio
  TimeFormatTmsf,  // set … time format tmsf
  TimeFormatMsf,   // set … time format msf
  Volume,          // setaudio … volume to N
};

struct Command {
  Verb verb = Verb::Open;
  Item item = Item::None;
  int track = 0;          // of TrackType
  int volume = 0;         // of Volume, 0 to 1000
  std::vector<int> from;  // the fields of "from a:b:c:d", empty when absent
  bool notify = false;
};

struct ParsedCommand {
  std::optional<Command> command;
  MCIERROR error = 0;  // why there is no command
};

ParsedCommand ParseCommand(const std::string& text);

}  // namespace mci
