// The registry as the rest of the system uses it: keys under a hive, read
// and written in one text file. Each call reads the file afresh and each
// change is written back at once, atomically (beside, then renamed over), so
// a server registered by one process is seen by the next and a failed write
// leaves the previous file whole.
//
// The file is $QUENBY_REGISTRY, else $XDG_CONFIG_HOME/quenby/registry.txt,
// else ~/.config/quenby/registry.txt. A missing file is an empty registry.
// A damaged file reads as empty, with ERROR_BADDB and the reason from the
// calls that report a status; changes are refused rather than written over
// it, so nothing in it is lost before someone looks.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/key_store.h"

namespace platform::registry {

// Status codes with the system's values.
using LSTATUS = long;
inline constexpr LSTATUS ERROR_SUCCESS = 0;
inline constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
inline constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
inline constexpr LSTATUS ERROR_BADDB = 1009;
inline constexpr LSTATUS ERROR_CANTREAD = 1012;
inline constexpr LSTATUS ERROR_CANTWRITE = 1013;
inline constexpr LSTATUS ERROR_UNSUPPORTED_TYPE = 1630;

struct Status {
    LSTATUS code = ERROR_SUCCESS;
    std::string message;  // empty on success
    bool ok() const noexcept { return code == ERROR_SUCCESS; }
};

enum class HKEY { ClassesRoot, CurrentUser, LocalMachine };
std::string_view HiveName(HKEY hive) noexcept;  // "HKEY_CLASSES_ROOT" ...

std::filesystem::path RegistryPath();

struct Loaded {
    Store store;
    Status status;
};
// Never throws; a missing file is an empty store and success.
Loaded LoadStore(const std::filesystem::path& file);
// Writes `file`.new and renames it over `file`, creating the folder.
Status SaveStore(const Store& store, const std::filesystem::path& file);

// Load, change, save, as one step. The change is not applied to a damaged
// file. A change that throws leaves the file as it was.
Status Update(const std::function<void(Store&)>& change, const std::filesystem::path& file = RegistryPath());

// In the manner of RegCreateKeyEx, RegSetValueEx, RegQueryValueEx,
// RegOpenKey, RegDeleteValue, RegDeleteTree and RegEnumKeyEx, against the
// default file. `valueName` "" is the default value.
Status CreateKey(HKEY hive, std::string_view subkey);
Status SetString(HKEY hive, std::string_view subkey, std::string_view valueName, std::string_view data);
Status SetDword(HKEY hive, std::string_view subkey, std::string_view valueName, DWORD data);
Status QueryValue(HKEY hive, std::string_view subkey, std::string_view valueName, Value* out);
Status QueryString(HKEY hive, std::string_view subkey, std::string_view valueName, std::string* out);
Status QueryDword(HKEY hive, std::string_view subkey, std::string_view valueName, DWORD* out);
Status OpenKey(HKEY hive, std::string_view subkey);  // ERROR_FILE_NOT_FOUND when absent
Status DeleteValue(HKEY hive, std::string_view subkey, std::string_view valueName);
Status DeleteTree(HKEY hive, std::string_view subkey);
Status EnumKeys(HKEY hive, std::string_view subkey, std::vector<std::string>* names);

// "HKEY_CLASSES_ROOT\subkey", the path of a key in the store.
std::string FullPath(HKEY hive, std::string_view subkey);

}  // namespace platform::registry
