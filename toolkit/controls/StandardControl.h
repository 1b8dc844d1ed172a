#pragma once

#include "toolkit/app/BiDiMode.h"
#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Geometry.h"

#include <QPalette>

class QWidget;

enum class TBorderStyle { bsNone, bsSingle };

// The settings that the standard controls share over their Qt widget: a
// colour, a 3D look, a reading direction and a tag. Controls with a border
// outside their client area (edits, lists) draw it themselves through
// PaintBorder: a sunken two-pixel edge with Ctl3D on, the platform's plain
// one-pixel line in the window-frame colour with Ctl3D off, nothing for
// BorderStyle bsNone.
class TStandardControl
{
public:
    virtual ~TStandardControl() = default;
    TStandardControl(const TStandardControl &) = delete;
    TStandardControl &operator=(const TStandardControl &) = delete;

    QWidget &Widget() const { return m_widget; }

    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool on);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TBiDiMode BiDiMode() const { return m_biDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    // Right to left both in reading and alignment.
    bool UseRightToLeftAlignment() const { return m_biDiMode == bdRightToLeft; }
    int Tag() const;
    void SetTag(int tag);

    // Only controls with a border have this setting; bsNone for the others.
    TBorderStyle BorderStyle() const { return m_hasBorder ? m_borderStyle : TBorderStyle::bsNone; }
    void SetBorderStyle(TBorderStyle style);
    // Pixels between the window's edge and its client area.
    int NonClientWidth() const;
    // The client area in window coordinates.
    TRect ClientRect() const;

protected:
    // colorRole is the part of the widget's palette that Color sets.
    TStandardControl(QWidget &widget, TColor color, QPalette::ColorRole colorRole, bool hasBorder);

    // Draws the border on the widget; call it after the widget's own paint.
    void PaintBorder() const;
    // The border width changed: keep the widget's contents inside it.
    virtual void BorderWidthChanged(int width);
    // Qt's layout direction for the widget; right to left mirrors it.
    virtual Qt::LayoutDirection LayoutDirection() const;
    void ApplyLayoutDirection();

private:
    void ApplyColor();
    void ApplyBorder();

    QWidget &m_widget;
    QPalette::ColorRole m_colorRole;
    bool m_hasBorder;
    bool m_ctl3D = true;
    TColor m_color;
    TBiDiMode m_biDiMode = bdLeftToRight;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
};

// The standard control behind a widget, if it is one.
TStandardControl *AsStandardControl(QWidget *widget);
const TStandardControl *AsStandardControl(const QWidget *widget);
