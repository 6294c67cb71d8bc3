// A fixed array with the game's own index bounds (hands 0..9, operands 1..2), checked on use.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>

template <typename T, int Lo, int Hi>
class IndexedArray {
    static_assert(Lo <= Hi);

public:
    static constexpr std::size_t size = static_cast<std::size_t>(Hi - Lo + 1);

    T& operator[](int i) { return items_[slot(i)]; }
    const T& operator[](int i) const { return items_[slot(i)]; }

    void fill(const T& value) { items_.fill(value); }
    bool operator==(const IndexedArray&) const = default;

private:
    static std::size_t slot(int i) {
        // An index outside the bounds is a fault in the rules, never a game situation.
        if (i < Lo || i > Hi) throw std::out_of_range("index outside the array's bounds");
        return static_cast<std::size_t>(i - Lo);
    }

    std::array<T, size> items_{};
};
