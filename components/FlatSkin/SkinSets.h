#pragma once

#include <cstdint>

// Container kinds whose controls the skin reaches, bit n for element n.
enum TSkinContainer {
    sccForm,
    sccFrame,
    sccToolbar,
    sccCoolbar,
    sccControlbar,
    sccPanel,
    sccScrollBox,
    sccGroupBox,
    sccTabSheet,
    sccPageScroller,
};
constexpr int kSkinContainerCount = 10;

// Control kinds the skin paints, bit n for element n.
enum TSkinControl {
    scMainMenu,
    scPopupMenu,
    scToolbar,
    scControlbar,
    scCombo,
    scListBox,
    scEdit,
    scMaskEdit,
    scMemo,
    scRichEdit,
    scMiscEdit,
    scCheckBox,
    scRadioButton,
    scButton,
    scBitBtn,
    scSpeedButton,
    scUpDown,
    scPanel,
    scGroupBox,
    scTreeView,
    scListView,
    scProgressBar,
    scHotKey,
};
constexpr int kSkinControlCount = 23;

// A set over an enumeration, stored as the platform stores it: bit n is
// element n, in an integer of the given width.
template <class Element, class Bits, int Count> class TSkinSet
{
public:
    static_assert(Count <= int(sizeof(Bits) * 8));

    constexpr TSkinSet() = default;
    static constexpr TSkinSet FromBits(Bits bits) { return TSkinSet(Bits(bits & kAllBits)); }
    static constexpr TSkinSet All() { return TSkinSet(kAllBits); }

    constexpr Bits ToBits() const { return m_bits; }
    constexpr bool Contains(Element element) const { return (m_bits >> int(element)) & 1u; }
    constexpr TSkinSet With(Element element) const { return TSkinSet(Bits(m_bits | Bit(element))); }
    constexpr TSkinSet Without(Element element) const { return TSkinSet(Bits(m_bits & ~Bit(element))); }
    friend constexpr bool operator==(TSkinSet, TSkinSet) = default;

private:
    static constexpr Bits kAllBits = Bits((std::uint64_t(1) << Count) - 1);
    static constexpr Bits Bit(Element element) { return Bits(Bits(1) << int(element)); }
    constexpr explicit TSkinSet(Bits bits)
        : m_bits(bits)
    { }

    Bits m_bits = 0;
};

using TSkinContainers = TSkinSet<TSkinContainer, std::uint16_t, kSkinContainerCount>;
using TSkinControls = TSkinSet<TSkinControl, std::uint32_t, kSkinControlCount>;

static_assert(TSkinControls::All().ToBits() == 0x7FFFFF);
static_assert(TSkinContainers::All().ToBits() == 1023);
