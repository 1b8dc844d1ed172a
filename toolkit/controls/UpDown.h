#pragma once

#include "toolkit/controls/StandardControl.h"

#include <QWidget>

class TCanvas;

// Two arrow buttons, one above the other, that step a position up and down
// between Min and Max. The upper half steps up.
class TUpDown : public QWidget, public TStandardControl
{
    Q_OBJECT

public:
    explicit TUpDown(QWidget *parent = nullptr);

    int Position() const { return m_position; }
    // Clamped to Min..Max.
    void SetPosition(int position);
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    // Ignored unless min <= max; the position is clamped into the range.
    void SetRange(int min, int max);

    // The half the left button went down on, while it is held.
    enum THalf { None, Upper, Lower };
    THalf PressedHalf() const { return m_pressed; }

signals:
    void PositionChanged(int position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void PaintHalf(TCanvas &canvas, THalf half) const;

    int m_position = 0;
    int m_min = 0;
    int m_max = 100;
    THalf m_pressed = None;
};
