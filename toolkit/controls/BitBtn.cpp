#include "toolkit/controls/BitBtn.h"

#include <QBitmap>
#include <QIcon>
#include <QPixmap>

TBitBtn::TBitBtn(QWidget *parent)
    : TButton(parent)
{ }

void TBitBtn::SetGlyph(const TBitmap &glyph)
{
    m_glyph.Assign(glyph);
    ApplyGlyph();
}

void TBitBtn::SetNumGlyphs(int numGlyphs)
{
    if (numGlyphs < 1 || numGlyphs > TSpeedButton::kMaxNumGlyphs || numGlyphs == m_numGlyphs)
        return;
    m_numGlyphs = numGlyphs;
    ApplyGlyph();
}

void TBitBtn::SetLayout(TButtonLayout layout)
{
    if (m_layout == layout)
        return;
    m_layout = layout;
    update();
}

void TBitBtn::SetSpacing(int spacing)
{
    if (spacing < 0 || spacing == m_spacing)
        return;
    m_spacing = spacing;
    update();
}

// The unskinned button shows the first cell, its transparent colour left out.
void TBitBtn::ApplyGlyph()
{
    if (m_glyph.Empty()) {
        setIcon(QIcon());
        return;
    }
    const int cellWidth = m_glyph.Width() / m_numGlyphs;
    const QImage cell = m_glyph.Image().copy(0, 0, cellWidth, m_glyph.Height());
    QPixmap pixmap = QPixmap::fromImage(cell);
    const QRgb key = cell.pixel(0, cell.height() - 1);
    pixmap.setMask(QBitmap::fromImage(cell.createMaskFromColor(key, Qt::MaskInColor)));
    setIcon(QIcon(pixmap));
    setIconSize(pixmap.size());
}
