// A gap buffer of values: insertions and deletions near the previous one
// cost little however long the sequence is, which is what typing in the
// middle of a long document does to its array of stored lines.
//
// The capacity is a reservation: slots are constructed only as the gap
// needs them, so reserving room for many lines costs address space, not
// memory, until the lines arrive.
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
    std::ptrdiff_t Capacity() const noexcept { return static_cast<std::ptrdiff_t>(body_.capacity()); }

    T& operator[](std::ptrdiff_t i) noexcept {
        assert(i >= 0 && i < length_);
        return body_[static_cast<std::size_t>(i < part1_ ? i : i + Gap())];
    }
    const T& operator[](std::ptrdiff_t i) const noexcept {
        assert(i >= 0 && i < length_);
        return body_[static_cast<std::size_t>(i < part1_ ? i : i + Gap())];
    }

    // Makes the reservation exactly n slots (n >= Length()).
    void Reallocate(std::ptrdiff_t n) {
        assert(n >= length_);
        GapTo(length_);
        body_.resize(static_cast<std::size_t>(length_));
        if (n < Capacity()) {
            std::vector<T> fresh;
            fresh.reserve(static_cast<std::size_t>(n));
            std::move(body_.begin(), body_.end(), std::back_inserter(fresh));
            body_.swap(fresh);
        } else {
            body_.reserve(static_cast<std::size_t>(n));
        }
    }

    void Insert(std::ptrdiff_t pos, T value) {
        assert(pos >= 0 && pos <= length_);
        if (Gap() == 0) Widen();
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
            return;
        }
        GapTo(length_);
        body_.resize(static_cast<std::size_t>(n));
        part1_ = length_ = n;
    }

    void Clear() {
        std::vector<T>().swap(body_);
        part1_ = length_ = 0;
    }

    // Takes the values of v as they stand, its capacity as the reservation:
    // nothing is constructed or moved one by one.
    void Adopt(std::vector<T>&& v) noexcept {
        body_ = std::move(v);
        part1_ = length_ = static_cast<std::ptrdiff_t>(body_.size());
    }

private:
    std::ptrdiff_t Gap() const noexcept { return static_cast<std::ptrdiff_t>(body_.size()) - length_; }

    // Constructs more gap slots, within the reservation when it has room.
    void Widen() {
        const std::ptrdiff_t grow = std::max<std::ptrdiff_t>(32, length_ / 16);
        const std::ptrdiff_t room = Capacity() - static_cast<std::ptrdiff_t>(body_.size());
        const std::ptrdiff_t add = room > 0 ? std::min(grow, room) : grow;
        const std::ptrdiff_t part2 = length_ - part1_;
        body_.resize(body_.size() + static_cast<std::size_t>(add));
        // The tail moves right so that the new slots join the gap.
        std::move_backward(body_.end() - add - part2, body_.end() - add, body_.end());
    }

    void GapTo(std::ptrdiff_t pos) {
        const std::ptrdiff_t gap = Gap();
        // Without a gap nothing moves (and moving a value onto itself
        // would empty it).
        if (pos == part1_ || gap == 0) {
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

    std::vector<T> body_;  // size(): constructed slots; capacity(): the reservation
    std::ptrdiff_t part1_ = 0;
    std::ptrdiff_t length_ = 0;
};

}  // namespace tarn
