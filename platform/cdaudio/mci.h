#pragma once
// CD audio, in place of the MCI command strings for the device "cdaudio" and its
// MM_MCINOTIFY notifications: exactly the commands the game sends, answered with the
// reply words it expects, and "setaudio cdaudio volume to N" (0 to 1000, accepted with or
// without an open device) for the music's level. The disc behind the device is the first
// found of: an audio disc in a drive, a CUE sheet with its BIN image in a folder CD, audio
// files named by track number in a folder CD; the folders CD of the working directory, of
// the program's folder and of the installed data folder are searched in that order.
// Left out: every other device type and command, command messages.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/window/window.h"

namespace mci {

using MCIERROR = uint32_t;  // 0 on success

constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = 257;
constexpr MCIERROR MCIERR_UNRECOGNIZED_KEYWORD = 259;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = 261;
constexpr MCIERROR MCIERR_HARDWARE = 262;
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = 263;
constexpr MCIERROR MCIERR_DEVICE_OPEN = 265;
constexpr MCIERROR MCIERR_PARAM_OVERFLOW = 271;
constexpr MCIERROR MCIERR_MISSING_PARAMETER = 273;
constexpr MCIERROR MCIERR_DEVICE_NOT_READY = 276;
constexpr MCIERROR MCIERR_OUTOFRANGE = 282;
constexpr MCIERROR MCIERR_BAD_TIME_FORMAT = 293;

constexpr win::WPARAM MCI_NOTIFY_SUCCESSFUL = 1;
constexpr win::WPARAM MCI_NOTIFY_SUPERSEDED = 2;
constexpr win::WPARAM MCI_NOTIFY_ABORTED = 4;

// The device id carried in lParam of MM_MCINOTIFY.
constexpr win::LPARAM CDAudioDeviceId = 1;

// Sends one command. A reply (status, capability) is written into `reply` as text,
// zero-terminated, when the buffer holds it. Commands ending in "notify" post
// MM_MCINOTIFY to `callback` when their play request ends.
MCIERROR mciSendString(const char* command, char* reply, size_t replyLength, win::HWND callback);

namespace testing {
// Leave physical drives out of the disc search.
void SkipDrives(bool skip);
// The one folder searched for a disc image or track files (by default the folders CD).
void SetDiscFolder(const std::string& folder);
// Every status query fails as a device gone bad would (MCIERR_HARDWARE).
void FailStatus(bool fail);
// Stop the audio callback from pulling the disc: playback then moves only through Advance.
void SetManualStreaming(bool manual);
// Plays `frames` frames (44 100 Hz) at once and returns them, 16-bit stereo interleaved;
// fewer when the play request ends on the way.
std::vector<int16_t> Advance(size_t frames);
// Closes the device if open and restores every testing setting.
void Reset();
}  // namespace testing

}  // namespace mci
