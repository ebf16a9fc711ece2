#pragma once
// Writes an archive: directories and files in byte order of their names, member data
// behind the root's end tag in the same order. The same files give the same bytes.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// Paths joined with '/'; the directories they name are implied.
using SplFiles = std::map<std::string, std::vector<uint8_t>>;

// False, before anything is written, for whatever the game's reader refuses: an empty
// name, one longer than 255 bytes, folders nested deeper than 64, a file over 256 MiB, or
// an archive that would reach 2 GiB.
bool WriteSplArchive(const SplFiles& files, std::vector<uint8_t>& out, std::string& error);

// The same, with directories of their own as well (paths joined with '/', for example
// empty folders), which stand in the archive even when they hold nothing.
bool WriteSplArchive(const SplFiles& files, const std::set<std::string>& directories,
                     std::vector<uint8_t>& out, std::string& error);

// The same for tests and tools that know their names are good: empty on failure.
std::vector<uint8_t> WriteSplArchive(const SplFiles& files);
