#pragma once

#include "toolkit/controls/BorderedScrollArea.h"

#include <QTextEdit>

// A multi-line edit field for formatted text with the classic border, and a
// border width: the pixels kept free between the border and the text.
class TRichEdit : public TBorderedScrollArea<QTextEdit>
{
    Q_OBJECT

public:
    explicit TRichEdit(QWidget *parent = nullptr)
        : TBorderedScrollArea(parent)
    { }

    int BorderWidth() const { return m_borderWidth; }
    // Negative values are ignored.
    void SetBorderWidth(int width)
    {
        if (width < 0 || width == m_borderWidth)
            return;
        m_borderWidth = width;
        BorderWidthChanged(NonClientWidth());
    }

protected:
    void BorderWidthChanged(int width) override
    {
        const int margin = width + kClientEdge + m_borderWidth;
        setViewportMargins(margin, margin, margin, margin);
    }

private:
    int m_borderWidth = 0;
};
