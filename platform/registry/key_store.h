// The registry held in memory: a tree of keys, each with a default value
// (the value named "") and named string or DWORD values. Key and value names
// compare without regard to ASCII case, as the system's registry does, and
// keep the spelling they were first given. Paths join key names with '\'.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform::registry {

using DWORD = std::uint32_t;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_DWORD = 4;

struct Value {
    std::variant<std::string, DWORD> data;

    DWORD Type() const noexcept { return std::holds_alternative<DWORD>(data) ? REG_DWORD : REG_SZ; }
    const std::string* String() const noexcept { return std::get_if<std::string>(&data); }
    const DWORD* Dword() const noexcept { return std::get_if<DWORD>(&data); }
    friend bool operator==(const Value&, const Value&) = default;
};

// The lower-case form used to compare names.
std::string FoldName(std::string_view name);

// A key name is not empty and holds no '\' (the separator) and no control
// character; value names may be empty (the default value) but hold no
// control character either.
bool IsValidKeyName(std::string_view name) noexcept;
bool IsValidValueName(std::string_view name) noexcept;

// The names of a path, or nothing when a name is invalid. An empty path is
// the key itself.
std::optional<std::vector<std::string>> SplitPath(std::string_view path);

class Key {
public:
    Key() = default;
    Key(const Key& other);
    Key& operator=(const Key& other);
    Key(Key&&) noexcept = default;
    Key& operator=(Key&&) noexcept = default;

    Key* Child(std::string_view name) noexcept;
    const Key* Child(std::string_view name) const noexcept;
    // The child, created when missing. An invalid name throws
    // std::invalid_argument.
    Key& CreateChild(std::string_view name);
    bool RemoveChild(std::string_view name);

    const Value* Find(std::string_view valueName) const noexcept;
    // An invalid name throws std::invalid_argument.
    void Set(std::string_view valueName, Value value);
    bool Remove(std::string_view valueName);

    // In name order (folded), with the names as first spelled.
    std::vector<std::pair<std::string, const Key*>> Children() const;
    std::vector<std::pair<std::string, const Value*>> Values() const;

    bool Empty() const noexcept { return children_.empty() && values_.empty(); }

private:
    struct NamedKey {
        std::string name;
        std::unique_ptr<Key> key;
    };
    struct NamedValue {
        std::string name;
        Value value;
    };
    std::map<std::string, NamedKey, std::less<>> children_;
    std::map<std::string, NamedValue, std::less<>> values_;
};

// The whole tree with path-based access. Paths are validated: an invalid
// one finds nothing and creates nothing.
class Store {
public:
    Key& Root() noexcept { return root_; }
    const Key& Root() const noexcept { return root_; }

    const Key* Open(std::string_view path) const;
    Key* Open(std::string_view path);
    Key* Create(std::string_view path);
    bool DeleteTree(std::string_view path);

private:
    Key root_;
};

}  // namespace platform::registry
