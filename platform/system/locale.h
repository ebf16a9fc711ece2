#pragma once
#include <string>

// The user's first preferred language as a lower-case ISO 639 code ("en", "cs"), or ""
// when the system names none (GetUserDefaultUILanguage in spirit).
std::string UserLanguage();
