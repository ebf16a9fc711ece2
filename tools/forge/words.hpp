#pragma once

#include <string_view>

namespace forge {

// The edition the pictures are drawn for; every word drawn goes through say().
enum class Edition { Czech, English };
void drawFor(Edition edition);
Edition edition();

// The Czech text as it stands, or its English counterpart while drawing the English
// edition (a text without one is an error, so no Czech word slips into it).
std::string_view say(std::string_view czech);

// The folder of the current edition's worded pictures under Grafika and Grafika8: "" or "en/".
std::string_view editionFolder();

}  // namespace forge
