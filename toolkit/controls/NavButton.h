#pragma once

#include "toolkit/controls/SpeedButton.h"

#include <QTimer>

#include <initializer_list>

// The buttons of a record navigator, in their fixed order.
enum TNavigateBtn : int { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh };
constexpr int kNavButtonCount = nbRefresh + 1;

// A set of navigator buttons.
class TNavButtonSet
{
public:
    constexpr TNavButtonSet() = default;
    constexpr TNavButtonSet(std::initializer_list<TNavigateBtn> buttons)
    {
        for (TNavigateBtn b : buttons)
            m_bits |= Bit(b);
    }
    static constexpr TNavButtonSet All()
    {
        TNavButtonSet set;
        set.m_bits = (1u << kNavButtonCount) - 1;
        return set;
    }

    constexpr bool Contains(TNavigateBtn b) const { return (m_bits & Bit(b)) != 0; }
    constexpr void Include(TNavigateBtn b) { m_bits |= Bit(b); }
    constexpr void Exclude(TNavigateBtn b) { m_bits &= ~Bit(b); }
    constexpr void Set(TNavigateBtn b, bool on) { on ? Include(b) : Exclude(b); }
    constexpr int Count() const
    {
        int n = 0;
        for (unsigned bits = m_bits; bits; bits &= bits - 1)
            ++n;
        return n;
    }
    constexpr bool IsEmpty() const { return m_bits == 0; }
    friend constexpr bool operator==(TNavButtonSet, TNavButtonSet) = default;

private:
    static constexpr unsigned Bit(TNavigateBtn b) { return 1u << int(b); }
    unsigned m_bits = 0;
};

// A speed button of a record navigator. Buttons that allow repeating click
// again and again while they are held down; the navigator shows its focus on
// one of its buttons.
class TNavButton : public TSpeedButton
{
    Q_OBJECT

public:
    // Held this long, a repeating button starts to click; then it clicks at
    // the repeat interval.
    static constexpr int kRepeatDelayMs = 400;
    static constexpr int kRepeatIntervalMs = 100;

    TNavButton(TNavigateBtn index, QWidget *parent = nullptr);

    TNavigateBtn Index() const { return m_index; }
    bool AllowRepeat() const { return m_allowRepeat; }
    void SetAllowRepeat(bool allow) { m_allowRepeat = allow; }
    // Whether the button draws the navigator's focus frame.
    bool FocusShown() const { return m_focusShown; }
    void SetFocusShown(bool shown);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void Released(bool inside) override;
    void PaintOverlay(TCanvas &canvas, const TRect &face) override;

private:
    void Repeat();

    TNavigateBtn m_index;
    bool m_allowRepeat = false;
    bool m_focusShown = false;
    // A held button that has clicked by repeating gives no further click
    // when it is released.
    bool m_repeated = false;
    QTimer m_repeatTimer;
};
