#pragma once
// The game's values under its key, read and written the one way: numbers as REG_DWORD,
// names as short REG_SZ strings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/registry/registry.h"

// The game's key, under HKEY_CURRENT_USER for the settings and HKEY_LOCAL_MACHINE for the
// hi-score table.
inline constexpr const char* GameKey = "Software\\HalvoTeam\\Nauvrel";

// The game's key under root: opened with the given access, or made if it is missing (and
// then opened with every access). False when it cannot be had.
bool OpenGameKey(reg::HKEY root, reg::REGSAM access, reg::HKEY& key);
bool CreateGameKey(reg::HKEY root, reg::HKEY& key);

// A REG_DWORD kept in a field of State, with the message shown when it cannot be written.
template <typename State>
struct DwordValue {
  const char* name;
  uint32_t State::*field;
  const char* failure;
};

// A REG_DWORD of exactly four bytes, or nothing: a shorter one would leave part of the
// number unread.
bool QueryDword(reg::HKEY key, const char* name, uint32_t& value);
bool SetDword(reg::HKEY key, const char* name, uint32_t value);
// A REG_SZ of fewer than `limit` bytes, without its terminator; nothing for any other value.
bool QueryShortString(reg::HKEY key, const char* name, size_t limit, std::string& text);
