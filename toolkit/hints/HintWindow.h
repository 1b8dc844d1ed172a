#pragma once

#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Geometry.h"

#include <QImage>
#include <QString>
#include <QWidget>

// The standard hint window: a borderless top-level pop-up with a one-pixel
// frame, so that its client area starts one pixel right of and below its
// top-left corner. It never takes the focus or the pointer.
//
// The application measures a hint with CalcHintRect, moves the rectangle to
// the hint position in screen coordinates and hands it to ActivateHint; the
// window then paints itself. Subclasses change any of the three steps.
class THintWindow : public QWidget
{
    Q_OBJECT
public:
    THintWindow();
    ~THintWindow() override;

    // The background, erased before every paint (the hint colour).
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    // The hint text being shown.
    QString Caption() const { return m_caption; }
    // Font, brush and pen persist between paints; the font is the hint font
    // and the brush is hollow after construction.
    TCanvas &Canvas() { return m_canvas; }

    // The text word-wrapped within maxWidth, without ampersand processing:
    // (0, 0, text width + 6, text height + 2).
    virtual TRect CalcHintRect(int maxWidth, const QString &hint, const void *data);
    // Shows the hint at rect (screen coordinates), 4 pixels taller, moved
    // back inside the desktop, on top of every window, without the focus.
    virtual void ActivateHint(const TRect &rect, const QString &hint);
    void ReleaseHint();

    // The client area in client coordinates.
    TRect ClientRect() const;
    // The whole window as it is shown, composed off-screen.
    QImage Compose();

protected:
    // Paints the client area on Canvas(), in client coordinates.
    virtual void Paint();
    // DT_RTLREADING when the window reads right to left, else 0.
    unsigned ReadingOrderFlags() const;

    void paintEvent(QPaintEvent *event) override;

private:
    TColor m_color = clInfoBk;
    QString m_caption;
    TCanvas m_canvas;
};
