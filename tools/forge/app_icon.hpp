#pragma once

#include <filesystem>
#include <string>

namespace forge {

// The desktop icon: the game's submarine in a rounded square of sea, as PNG files
// DIR/32/ID.png, DIR/48/ID.png, DIR/128/ID.png, DIR/256/ID.png and the vector DIR/ID.svg.
void writeAppIcons(const std::filesystem::path& dir, const std::string& id);

// The picture the software centres show: the main menu as the game draws it, as PNG.
void writeScreenshot(const std::filesystem::path& file);

}  // namespace forge
