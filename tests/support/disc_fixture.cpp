#include "support/disc_fixture.h"

#include <cstdio>

#include "app/shell.h"
#include "audio/cd.h"
#include "platform/cdaudio/mci.h"
#include "platform/window/window.h"
#include "screens/modes.h"
#include "support/wav_files.h"

namespace cdtest {
namespace {

Bytes Frames(int track, int64_t frames) {
  Bytes out;
  for (int64_t f = 0; f < frames; ++f) {
    put16(out, static_cast<uint16_t>(FrameMark(f)));
    put16(out, static_cast<uint16_t>(TrackMark(track)));
  }
  return out;
}

std::string Msf(int sectors) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", sectors / 75 / 60, sectors / 75 % 60,
                sectors % 75);
  return text;
}

}  // namespace

int16_t TrackMark(int track) { return static_cast<int16_t>(track * 100); }
int16_t FrameMark(int64_t frame) { return static_cast<int16_t>(frame % 30000); }

void WriteImage(const std::filesystem::path& folder, const std::vector<ImageTrack>& tracks) {
  std::string bin, cue = "FILE \"disc.bin\" BINARY\n";
  int sector = 0;
  for (size_t i = 0; i < tracks.size(); ++i) {
    char number[24];
    std::snprintf(number, sizeof number, "%02zu", i + 1);
    cue += std::string("  TRACK ") + number + (tracks[i].audio ? " AUDIO\n" : " MODE1/2352\n");
    cue += "    INDEX 01 " + Msf(sector) + "\n";
    const Bytes frames =
        Frames(static_cast<int>(i + 1), int64_t{tracks[i].sectors} * FramesPerSector);
    bin.append(frames.begin(), frames.end());
    sector += tracks[i].sectors;
  }
  WriteFile(folder / "disc.bin", bin);
  WriteFile(folder / "disc.cue", cue);
}

void WriteWav(const std::filesystem::path& file, int track, int frames) {
  WriteFile(file, Wav(Format(1, 2, 44100, 16), Frames(track, frames)));
}

std::string Send(const std::string& command, size_t replyLength) {
  std::vector<char> reply(replyLength + 1, 'x');
  mci::MCIERROR error = mci::mciSendString(command.c_str(), reply.data(), replyLength, nullptr);
  if (error) return "error " + std::to_string(error);
  return reply.data();
}

std::vector<uint64_t> TakeNotifications() {
  std::vector<uint64_t> codes;
  win::MSG msg;
  while (win::PeekMessage(msg)) {
    win::GetMessage(msg);
    if (msg.message == win::MM_MCINOTIFY) codes.push_back(msg.wParam);
  }
  return codes;
}

void CDTest::SetUp() {
  mci::testing::Reset();
  win::testing::Reset();
  mci::testing::SkipDrives(true);
  mci::testing::SetDiscFolder(dir.path.string());
  mci::testing::SetManualStreaming(true);
  CD = CDState{};
  Switches = SwitchFlags{};
  Screen.NameEntry = 0;
  // A window keeps the event queue alive while the device opens and closes the audio.
  win::RegisterClassEx({MainWndProc, "Nauvrel_wnd"});
  Shell.Window = win::CreateWindowEx("Nauvrel_wnd", "Nauvrel", 800, 600);
}

void CDTest::TearDown() {
  mci::testing::Reset();
  win::testing::Reset();
  Shell.Window = nullptr;
}

}  // namespace cdtest
