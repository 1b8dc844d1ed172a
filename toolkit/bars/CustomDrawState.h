#pragma once

// The state a tool bar reports with each button it asks its owner to draw;
// several flags may hold at once.
enum TCustomDrawStateFlag : unsigned {
    cdsSelected = 0x01,
    cdsChecked = 0x02,
    cdsDisabled = 0x04,
    cdsHot = 0x08,
    cdsIndeterminate = 0x10,
};

struct TCustomDrawState {
    unsigned Flags = 0;

    constexpr bool Contains(TCustomDrawStateFlag flag) const { return (Flags & flag) != 0; }
    constexpr bool Empty() const { return Flags == 0; }
    friend constexpr bool operator==(const TCustomDrawState &, const TCustomDrawState &) = default;
};

constexpr TCustomDrawState operator|(TCustomDrawStateFlag a, TCustomDrawStateFlag b)
{
    return {static_cast<unsigned>(a) | static_cast<unsigned>(b)};
}
constexpr TCustomDrawState operator|(TCustomDrawState a, TCustomDrawStateFlag b)
{
    return {a.Flags | static_cast<unsigned>(b)};
}
