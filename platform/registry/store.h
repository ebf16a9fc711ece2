#pragma once
// The hive files on disk: where they are, reading them, and replacing them safely.
#include <functional>
#include <string>

#include "platform/registry/file.h"
#include "platform/registry/registry.h"

namespace reg::store {

// "<data folder>/HKEY_CURRENT_USER.reg"; empty when the folder cannot be made.
std::string HiveFile(const char* hiveName);

// A missing or empty file is the empty hive, and so is one that is no hive at all; of a
// damaged one, every line that reads (either is kept aside when the file is next
// replaced). Fails only when the file cannot be read.
LONG Read(const std::string& file, file::Document& doc);

// Under the hive's lock: reads the file again, lets `change` edit it, and replaces the
// file with the result (temporary file beside it, flushed, renamed over it). A `change`
// that does not return ERROR_SUCCESS leaves the file alone and its result is returned.
LONG Update(const std::string& file, const std::function<LONG(file::Document&)>& change);

void FailReplaceBeforeRename(int after);

}  // namespace reg::store
