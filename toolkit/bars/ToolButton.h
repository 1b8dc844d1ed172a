#pragma once

#include "toolkit/app/BiDiMode.h"
#include "toolkit/gdi/Geometry.h"

#include <QObject>
#include <QPointer>
#include <QString>

class TMenuItem;
class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

// One button of a tool bar. It has no window of its own: the tool bar lays
// the buttons out in their order, paints them and takes their input.
class TToolButton : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)

public:
    static constexpr int kDefaultSeparatorWidth = 8;

    // The button is appended to toolBar's buttons.
    explicit TToolButton(TToolBar *toolBar);
    ~TToolButton() override;

    TToolBar *ToolBar() const { return m_toolBar; }
    // The position among the tool bar's buttons; -1 once it has left it.
    int Index() const;

    TToolButtonStyle Style() const { return m_style; }
    void SetStyle(TToolButtonStyle style);
    // -1 for no image.
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index);
    // Pressed: a check button that is checked, or any button held down by
    // the program.
    bool Down() const { return m_down; }
    void SetDown(bool down);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    // Neither checked nor unchecked.
    bool Indeterminate() const { return m_indeterminate; }
    void SetIndeterminate(bool indeterminate);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    TBiDiMode BiDiMode() const { return m_biDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    bool UseRightToLeftReading() const { return m_biDiMode != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return m_biDiMode == bdRightToLeft; }
    // The width of a separator or divider; ignored for other styles.
    int Width() const { return m_width; }
    void SetWidth(int width);

    // Neither is owned; whoever frees one clears it here first.
    // A menu item whose click the button performs, shown as a menu bar item.
    TMenuItem *MenuItem() const { return m_menuItem; }
    void SetMenuItem(TMenuItem *item);
    // The menu the arrow of a drop-down button opens.
    TPopupMenu *DropdownMenu() const { return m_dropdownMenu; }
    void SetDropdownMenu(TPopupMenu *menu);

    // In the tool bar's coordinates, as its last layout placed the button.
    TRect BoundsRect() const { return m_bounds; }
    bool IsSeparator() const { return m_style == tbsSeparator || m_style == tbsDivider; }

    // Acts as a click: a check button toggles, then Clicked is emitted and an
    // attached menu item clicked. A disabled button ignores it.
    void Click();

signals:
    void Clicked();

private:
    friend class TToolBar;
    void Changed(bool relayout);

    QPointer<TToolBar> m_toolBar;
    TToolButtonStyle m_style = tbsButton;
    int m_imageIndex = -1;
    bool m_down = false;
    bool m_enabled = true;
    bool m_indeterminate = false;
    QString m_caption;
    TBiDiMode m_biDiMode = bdLeftToRight;
    int m_width = kDefaultSeparatorWidth;
    TMenuItem *m_menuItem = nullptr;
    TPopupMenu *m_dropdownMenu = nullptr;
    TRect m_bounds;
};
