// Byte-string helpers shared by the property stream tests.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tarn::persist::test {

inline std::string Bytes(std::initializer_list<int> v) {
    std::string s;
    for (int b : v) s.push_back(static_cast<char>(b));
    return s;
}

// The fixed head of every stream the control writes: signature, class name,
// empty component name.
inline std::string Head() {
    return std::string("TPF0") + Bytes({9}) + "TTarnEdit" + Bytes({0});
}

// A whole stream around already encoded properties.
inline std::string StreamOf(std::string_view encodedProperties) {
    return Head() + std::string(encodedProperties) + Bytes({0, 0});
}

// One property: short-string name, then the encoded value.
inline std::string Entry(std::string_view name, std::string_view encodedValue) {
    return Bytes({static_cast<int>(name.size())}) + std::string(name) + std::string(encodedValue);
}

inline std::string Hex(std::string_view s) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (!out.empty()) out.push_back(' ');
        out.push_back(kDigits[c >> 4]);
        out.push_back(kDigits[c & 15]);
    }
    return out;
}

}  // namespace tarn::persist::test
