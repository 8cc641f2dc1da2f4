// The registry's file format: line-based UTF-8 text, every name and string
// quoted with backslash escapes, so that any name or value survives and the
// file stays readable and diffable.
//
//     QUENBY-REGISTRY 1
//     key "HKEY_CLASSES_ROOT" "CLSID" "{...}"
//     value "" sz "Sample control"
//     value "Flags" dword 131473
//     end
//
// A `key` line names a key by its full path and makes it current; `value`
// lines belong to the current key. The closing `end` line tells a complete
// file from a truncated one. Escapes: \\ \" \n \r \t and \xHH for any other
// control byte.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry/key_store.h"

namespace platform::registry {

inline constexpr std::string_view kFileHeader = "QUENBY-REGISTRY 1";

std::string Serialize(const Store& store);

struct ParseResult {
    bool ok = false;
    std::string error;  // "line N: what is wrong" when not ok
};
// On failure `store` is left empty: a damaged file is never half-applied.
ParseResult Parse(std::string_view text, Store& store);

std::string Quote(std::string_view s);

}  // namespace platform::registry
