#include "platform/registry/key_store.h"

#include <stdexcept>

namespace platform::registry {

std::string FoldName(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IsValidValueName(std::string_view name) noexcept {
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

bool IsValidKeyName(std::string_view name) noexcept {
    return !name.empty() && name.find('\\') == std::string_view::npos && IsValidValueName(name);
}

std::optional<std::vector<std::string>> SplitPath(std::string_view path) {
    std::vector<std::string> names;
    if (path.empty()) return names;
    std::size_t start = 0;
    while (true) {
        std::size_t end = path.find('\\', start);
        std::string_view name = path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!IsValidKeyName(name)) return std::nullopt;
        names.emplace_back(name);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return names;
}

Key::Key(const Key& other) : values_(other.values_) {
    for (const auto& [folded, child] : other.children_)
        children_.emplace(folded, NamedKey{child.name, std::make_unique<Key>(*child.key)});
}

Key& Key::operator=(const Key& other) {
    if (this != &other) {
        Key copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Key* Key::Child(std::string_view name) noexcept {
    return const_cast<Key*>(static_cast<const Key*>(this)->Child(name));
}

const Key* Key::Child(std::string_view name) const noexcept {
    try {
        auto it = children_.find(FoldName(name));
        return it == children_.end() ? nullptr : it->second.key.get();
    } catch (...) {
        return nullptr;
    }
}

Key& Key::CreateChild(std::string_view name) {
    // Refused here, so that every store can be written and read back.
    if (!IsValidKeyName(name)) throw std::invalid_argument("invalid registry key name \"" + std::string(name) + "\"");
    auto [it, added] = children_.try_emplace(FoldName(name));
    if (added) it->second = NamedKey{std::string(name), std::make_unique<Key>()};
    return *it->second.key;
}

bool Key::RemoveChild(std::string_view name) { return children_.erase(FoldName(name)) > 0; }

const Value* Key::Find(std::string_view valueName) const noexcept {
    try {
        auto it = values_.find(FoldName(valueName));
        return it == values_.end() ? nullptr : &it->second.value;
    } catch (...) {
        return nullptr;
    }
}

void Key::Set(std::string_view valueName, Value value) {
    if (!IsValidValueName(valueName)) throw std::invalid_argument("invalid registry value name");
    auto [it, added] = values_.try_emplace(FoldName(valueName));
    if (added) it->second.name = std::string(valueName);
    it->second.value = std::move(value);
}

bool Key::Remove(std::string_view valueName) { return values_.erase(FoldName(valueName)) > 0; }

std::vector<std::pair<std::string, const Key*>> Key::Children() const {
    std::vector<std::pair<std::string, const Key*>> out;
    for (const auto& [folded, child] : children_) out.emplace_back(child.name, child.key.get());
    return out;
}

std::vector<std::pair<std::string, const Value*>> Key::Values() const {
    std::vector<std::pair<std::string, const Value*>> out;
    for (const auto& [folded, v] : values_) out.emplace_back(v.name, &v.value);
    return out;
}

const Key* Store::Open(std::string_view path) const {
    auto names = SplitPath(path);
    if (!names) return nullptr;
    const Key* key = &root_;
    for (const std::string& name : *names) {
        key = key->Child(name);
        if (!key) return nullptr;
    }
    return key;
}

Key* Store::Open(std::string_view path) { return const_cast<Key*>(static_cast<const Store*>(this)->Open(path)); }

Key* Store::Create(std::string_view path) {
    auto names = SplitPath(path);
    if (!names) return nullptr;
    Key* key = &root_;
    for (const std::string& name : *names) key = &key->CreateChild(name);
    return key;
}

bool Store::DeleteTree(std::string_view path) {
    auto names = SplitPath(path);
    if (!names || names->empty()) return false;
    std::string last = names->back();
    names->pop_back();
    Key* parent = &root_;
    for (const std::string& name : *names) {
        parent = parent->Child(name);
        if (!parent) return false;
    }
    return parent->RemoveChild(last);
}

}  // namespace platform::registry
