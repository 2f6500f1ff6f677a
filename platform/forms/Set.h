// The class library's small sets ([fsBold, fsItalic], [ssShift, ssCtrl], [mbYes, mbNo]) over
// the values of one enumeration with fewer than 32 members.
#pragma once
#include <initializer_list>

template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E value : values)
            FBits |= Bit(value);
    }

    constexpr bool Contains(E value) const { return (FBits & Bit(value)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& operator<<(E value) { FBits |= Bit(value); return *this; }
    constexpr TSet& operator>>(E value) { FBits &= ~Bit(value); return *this; }
    constexpr TSet operator+(TSet other) const { return FromBits(FBits | other.FBits); }
    constexpr TSet operator*(TSet other) const { return FromBits(FBits & other.FBits); }
    constexpr TSet operator-(TSet other) const { return FromBits(FBits & ~other.FBits); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr unsigned Bit(E value) { return 1u << static_cast<unsigned>(value); }
    static constexpr TSet FromBits(unsigned bits) { TSet set; set.FBits = bits; return set; }
    unsigned FBits = 0;
};
