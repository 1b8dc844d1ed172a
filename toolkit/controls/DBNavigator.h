#pragma once

#include "toolkit/controls/NavButton.h"
#include "toolkit/controls/Panel.h"

#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class TDataSource;

// The standard record navigator: a bar of ten buttons that move through the
// data set of a data source and edit it. The visible buttons share the bar's
// width in index order; each is as high as the bar.
//
// Buttons are enabled by the state of the data set, refreshed on every data
// change and every change of the editing state; all are disabled while the
// bar is disabled or the set is closed. First and prior are off on the first
// row, next and last on the last row, however the cursor got there.
//
// The bar is no tab stop unless TabStop is set (a layout may set it): a click
// on a button leaves the keyboard where it was, with the grid under the bar.
// With the focus on the bar, the left and right arrow keys move the focus
// between the visible buttons and the space bar clicks the focused one.
class TDBNavigator : public TPanel
{
    Q_OBJECT
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(QStringList Hints READ Hints WRITE SetHints)
    Q_PROPERTY(bool ConfirmDelete READ ConfirmDelete WRITE SetConfirmDelete)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)

public:
    static constexpr int kMinButtonWidth = 20;
    static constexpr int kMinButtonHeight = 18;

    explicit TDBNavigator(QWidget *parent = nullptr);
    ~TDBNavigator() override;

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *dataSource);

    // All ten by default.
    TNavButtonSet VisibleButtons() const { return m_visible; }
    void SetVisibleButtons(TNavButtonSet buttons);
    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);
    // Entry i replaces the hint of button i when it is not empty; missing
    // entries keep the default hints.
    QStringList Hints() const { return m_hints; }
    void SetHints(const QStringList &hints);
    static QString DefaultHint(TNavigateBtn button);
    // The directory's glyph for a button (32 x 16, 8 bits per pixel: the
    // enabled picture, then the disabled one, on magenta); every button
    // starts with its own.
    static TBitmap StandardGlyph(TNavigateBtn button);
    // Whether delete asks first; on by default.
    bool ConfirmDelete() const { return m_confirmDelete; }
    void SetConfirmDelete(bool confirm) { m_confirmDelete = confirm; }
    // Whether Tab reaches the bar; off by default.
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool tabStop);

    TNavButton *Button(TNavigateBtn button) const { return m_buttons[button]; }
    // The button that shows the focus while the bar has it.
    TNavigateBtn FocusedButton() const { return m_focused; }
    void SetFocusedButton(TNavigateBtn button);

    // Runs the button's operation on the data set when the source's set is
    // open: signals BeforeAction, acts, then signals Click. Delete asks for
    // confirmation first (when ConfirmDelete is on) and does nothing on Cancel.
    virtual void BtnClick(TNavigateBtn button);

    // The widths of `count` buttons sharing `width` pixels, in order: each
    // gets width div count, and the width mod count pixels left over go one
    // each to the buttons a counter picks, which starts at count div 2.
    static std::vector<int> ButtonWidths(int width, int count);

    // What the enabling of the buttons depends on. atStart and atEnd: the
    // cursor stands on the first or the last row (or the set is empty).
    struct TDataFacts {
        bool active = false;
        bool atStart = true;
        bool atEnd = true;
        bool canModify = false;
        bool empty = true;
        bool editing = false;
    };
    static TNavButtonSet EnabledButtons(const TDataFacts &facts);

    // Loading from a layout: settings made between BeginLoading and Loaded
    // are made "while loading"; Loaded lays the buttons out once more.
    void BeginLoading() { m_loading = true; }
    virtual void Loaded();
    bool IsLoading() const { return m_loading; }

signals:
    void BeforeAction(TNavigateBtn button);
    void Click(TNavigateBtn button);

protected:
    // Places the visible buttons and hides the others; then calls
    // ButtonsLaidOut. Runs on every size change.
    void LayoutButtons();
    // Called after every layout of the buttons.
    virtual void ButtonsLaidOut() { }
    // Sets every button's enabled state from the data set.
    void UpdateButtonStates();

    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class TNavDataLink;

    // Runs BtnClick, showing an error it raises in the application's error box.
    void ClickGuarded(TNavigateBtn button);
    TDataFacts CurrentFacts() const;
    void UpdateHints();
    void UpdateFocusFrame();
    // Moves the focus to the nearest visible button in the step's direction; false when there is none.
    bool MoveFocus(int step);
    void UpdateMinimumSize();

    std::unique_ptr<TNavDataLink> m_link;
    std::array<TNavButton *, kNavButtonCount> m_buttons{};
    TNavButtonSet m_visible = TNavButtonSet::All();
    QStringList m_hints;
    TNavigateBtn m_focused = nbFirst;
    bool m_flat = false;
    bool m_confirmDelete = true;
    bool m_loading = false;
};
