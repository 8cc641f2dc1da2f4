// A gap buffer of values: insertions and deletions near the previous one
// cost little however long the sequence is, which is what typing in the
// middle of a long document does to its array of stored lines.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <utility>
#include <vector>

namespace tarn {

template <class T>
class SplitVector {
public:
    std::ptrdiff_t Length() const noexcept { return length_; }
    std::ptrdiff_t Capacity() const noexcept { return static_cast<std::ptrdiff_t>(body_.size()); }

    T& operator[](std::ptrdiff_t i) noexcept {
        assert(i >= 0 && i < length_);
        return body_[static_cast<std::size_t>(i < part1_ ? i : i + Gap())];
    }
    const T& operator[](std::ptrdiff_t i) const noexcept {
        assert(i >= 0 && i < length_);
        return body_[static_cast<std::size_t>(i < part1_ ? i : i + Gap())];
    }

    // Changes the allocation to exactly n slots (n >= Length()).
    void Reallocate(std::ptrdiff_t n) {
        assert(n >= length_);
        std::vector<T> fresh(static_cast<std::size_t>(n));
        for (std::ptrdiff_t i = 0; i < length_; ++i) fresh[static_cast<std::size_t>(i)] = std::move((*this)[i]);
        body_.swap(fresh);
        part1_ = length_;
    }

    void Insert(std::ptrdiff_t pos, T value) {
        assert(pos >= 0 && pos <= length_);
        if (length_ == Capacity()) Reallocate(std::max<std::ptrdiff_t>(8, length_ * 2));
        GapTo(pos);
        body_[static_cast<std::size_t>(part1_)] = std::move(value);
        ++part1_;
        ++length_;
    }

    void Delete(std::ptrdiff_t pos) { DeleteRange(pos, 1); }

    void DeleteRange(std::ptrdiff_t pos, std::ptrdiff_t n) {
        assert(pos >= 0 && n >= 0 && pos + n <= length_);
        if (n == 0) return;
        GapTo(pos);
        // The slots join the gap; release what they hold now.
        for (std::ptrdiff_t i = 0; i < n; ++i) body_[static_cast<std::size_t>(part1_ + Gap() + i)] = T();
        length_ -= n;
    }

    // Keeps the first n values, or appends default values up to n.
    void Resize(std::ptrdiff_t n) {
        if (n < length_) {
            DeleteRange(n, length_ - n);
        } else {
            if (n > Capacity()) Reallocate(n);
            GapTo(length_);
            part1_ = length_ = n;
        }
    }

    void Clear() {
        std::vector<T>().swap(body_);
        part1_ = length_ = 0;
    }

private:
    std::ptrdiff_t Gap() const noexcept { return Capacity() - length_; }

    void GapTo(std::ptrdiff_t pos) {
        if (pos == part1_) return;
        const std::ptrdiff_t gap = Gap();
        // Without a gap nothing moves; moving would assign values onto
        // themselves, which empties a moved-onto string.
        if (gap == 0) {
            part1_ = pos;
            return;
        }
        if (pos < part1_) {
            std::move_backward(body_.begin() + pos, body_.begin() + part1_, body_.begin() + part1_ + gap);
        } else {
            std::move(body_.begin() + part1_ + gap, body_.begin() + pos + gap, body_.begin() + part1_);
        }
        part1_ = pos;
    }

    std::vector<T> body_;
    std::ptrdiff_t part1_ = 0;
    std::ptrdiff_t length_ = 0;
};

}  // namespace tarn
