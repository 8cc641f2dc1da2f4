// A cursor over untrusted bytes: every read checks what remains first, so
// no length taken from the data can reach past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarn::persist {

class ByteReader {
public:
    explicit ByteReader(std::string_view data) noexcept : data_(data) {}

    std::size_t Offset() const noexcept { return pos_; }
    std::size_t Remaining() const noexcept { return data_.size() - pos_; }

    std::optional<std::uint8_t> Byte() noexcept {
        if (Remaining() < 1) return std::nullopt;
        return static_cast<std::uint8_t>(data_[pos_++]);
    }

    std::optional<std::uint16_t> U16() noexcept {
        if (Remaining() < 2) return std::nullopt;
        std::uint16_t v = static_cast<std::uint16_t>(At(0) | (At(1) << 8));
        pos_ += 2;
        return v;
    }

    std::optional<std::uint32_t> U32() noexcept {
        if (Remaining() < 4) return std::nullopt;
        std::uint32_t v = At(0) | (At(1) << 8) | (At(2) << 16) | (At(3) << 24);
        pos_ += 4;
        return v;
    }

    std::optional<std::string_view> Take(std::uint64_t n) noexcept {
        if (n > Remaining()) return std::nullopt;
        std::string_view v = data_.substr(pos_, static_cast<std::size_t>(n));
        pos_ += static_cast<std::size_t>(n);
        return v;
    }

private:
    std::uint32_t At(std::size_t i) const noexcept {
        return static_cast<std::uint8_t>(data_[pos_ + i]);
    }

    std::string_view data_;
    std::size_t pos_ = 0;
};

}  // namespace tarn::persist
