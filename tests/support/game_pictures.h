#pragma once
// The game's picture files made in memory, each in colours of its own, and a way to put
// them straight into the picture handles when no archive is needed.
#include <map>
#include <string>
#include <vector>

#include "video/video.h"

using FileMap = std::map<std::string, std::vector<uint8_t>>;

// Every picture file start-up reads at the depth: "Grafika/..." or "Grafika8/...", and
// "Grafika/Font.bmp". Each picture's top-left pixel has a colour found nowhere else but
// in its bottom-right corner, so keys can be seen at work.
FileMap GamePictureFiles(int depth);
// The colour at (x, y) of the picture in the file at `path` (as GamePictureFiles made it).
uint32_t GamePictureColour(const std::string& path, int x, int y);
// Decodes the files into the picture handles, as sysInit would have loaded them.
void LoadGamePictures(int depth);
// Packs the files into an archive at `path` (a test's Nauvrel.spl).
void WriteGameArchive(const FileMap& files, const std::string& path);
