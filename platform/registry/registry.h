#pragma once
// The registry, in place of the two hives the game uses: keys and typed values kept as
// REGEDIT4 text files (HKEY_CURRENT_USER.reg, HKEY_LOCAL_MACHINE.reg) in the user's data
// folder; the registry editor's newer export is read too. Every call reads the file again;
// every set replaces it atomically under a file lock, keeping whatever else the file
// holds; a line that cannot be read is passed over, and its file kept aside before it is
// replaced. Registry transactions put several sets into one replacement.
// Left out: other hives, security, notifications, enumeration.
#include <cstdint>

namespace reg {

using LONG = int32_t;
using DWORD = uint32_t;
using BYTE = uint8_t;
using REGSAM = uint32_t;

struct Key;  // an open key: its hive, its path and the access it was opened with
using HKEY = Key*;

// The two predefined hives; handles, never dereferenced.
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t{0x80000001});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t{0x80000002});

// Results, with the numbers of the system they stand in for.
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;  // no such key or value
constexpr LONG ERROR_PATH_NOT_FOUND = 3;  // the data folder cannot be made
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;            // the buffer is too small; its size is reported
constexpr LONG ERROR_REGISTRY_IO_FAILED = 1016;  // the hive file cannot be read or replaced
constexpr LONG ERROR_KEY_DELETED = 1018;         // the key left the file while it was open
constexpr LONG ERROR_TRANSACTION_NOT_ACTIVE = 6701;  // committed or closed already
constexpr LONG ERROR_TRANSACTIONAL_CONFLICT = 6800;  // a value read in it changed meanwhile

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

// Access rights.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Dispositions reported by RegCreateKeyEx.
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens the key, creating it (and its file and folder) when missing. The class, the
// options and the security attributes are accepted and ignored; `disposition` may be null.
LONG RegCreateKeyEx(HKEY key, const char* subKey, DWORD reserved, const char* keyClass,
                    DWORD options, REGSAM samDesired, const void* securityAttributes, HKEY* result,
                    DWORD* disposition);
// Opens an existing key; ERROR_FILE_NOT_FOUND when the file has no such key.
LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD options, REGSAM samDesired, HKEY* result);
// Reads a value (null or "" names the default value). `type` and `data` may be null; with
// `data` null the size is reported. A buffer too small gets ERROR_MORE_DATA, the size
// needed, and is left untouched.
LONG RegQueryValueEx(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                     DWORD* dataSize);
// Writes one value: re-reads the file, changes that value, replaces the file.
LONG RegSetValueEx(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                   DWORD dataSize);
LONG RegCloseKey(HKEY key);

// Transactions, as the kernel's transaction manager gives them to the registry. Values set
// through a key opened in a transaction wait in it, and reads through such a key see
// them; CommitTransaction writes them all in one replacement of the hive file, or none
// (one hive per transaction). A value read through the key that another program changed
// before the commit makes it fail with ERROR_TRANSACTIONAL_CONFLICT and write nothing, so
// a read-modify-write can be tried again on what is there now. CommitTransaction returns
// its error instead of a flag; CloseHandle drops what was not committed.
struct Transaction;
using HANDLE = Transaction*;
HANDLE CreateTransaction();
LONG CommitTransaction(HANDLE transaction);
bool CloseHandle(HANDLE transaction);
LONG RegOpenKeyTransacted(HKEY key, const char* subKey, DWORD options, REGSAM samDesired,
                          HKEY* result, HANDLE transaction, void* extendedParameter);

namespace testing {
// The next file replacement stops after the temporary file is written and flushed, just
// before the rename, as if the program died there; the call fails.
void FailNextReplaceBeforeRename();
// The same for the replacement after `after` others have gone through; -1 lets all through.
void FailReplaceBeforeRename(int after);
}  // namespace testing

}  // namespace reg
