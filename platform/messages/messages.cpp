#include "platform/messages/messages.h"

#include <cctype>
#include <map>
#include <mutex>
#include <string>

namespace platform::messages {
namespace {

std::string Folded(std::string_view name) {
    std::string s(name);
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

struct RegisteredMessageTable {
    std::mutex lock;
    std::map<std::string, UINT> numbers;
    UINT next = 0xC000;
};

// Default visibility on purpose (the library is otherwise hidden): a
// program and the control server it loads must number names alike.
[[gnu::visibility("default")]] RegisteredMessageTable& QuenbyRegisteredMessages() {
    static RegisteredMessageTable table;
    return table;
}

UINT RegisterWindowMessage(std::string_view name) {
    if (name.empty()) return 0;
    RegisteredMessageTable& t = QuenbyRegisteredMessages();
    std::lock_guard guard(t.lock);
    auto [it, added] = t.numbers.try_emplace(Folded(name), t.next);
    // The atom range ends at 0xFFFF; past it registration fails.
    if (added) {
        if (t.next > 0xFFFF) {
            t.numbers.erase(it);
            return 0;
        }
        ++t.next;
    }
    return it->second;
}

}  // namespace platform::messages
