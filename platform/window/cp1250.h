#pragma once
// Windows-1250, the code page of the game's texts and of its font.
#include <cstdint>
#include <string>

namespace win {

// The Unicode code point of a byte; U+FFFD where the code page has no character.
char32_t Cp1250CodePoint(unsigned char byte);
void AppendUtf8(std::string& out, char32_t code);
std::string Cp1250ToUtf8(const char* text);

}  // namespace win
