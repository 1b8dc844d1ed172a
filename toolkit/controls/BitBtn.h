#pragma once

#include "toolkit/controls/Button.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/gdi/Bitmap.h"

// A push button with a glyph beside its caption. The glyph holds NumGlyphs
// cells side by side (as a speed button's); the button shows the first.
class TBitBtn : public TButton
{
    Q_OBJECT

public:
    explicit TBitBtn(QWidget *parent = nullptr);

    // The glyph is copied; its transparent colour is its bottom-left pixel.
    const TBitmap &Glyph() const { return m_glyph; }
    void SetGlyph(const TBitmap &glyph);
    // 1 to 4; other values are ignored.
    int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int numGlyphs);
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout layout);
    // Pixels between glyph and caption; negative values are ignored.
    int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);

private:
    void ApplyGlyph();

    TBitmap m_glyph;
    int m_numGlyphs = 1;
    TButtonLayout m_layout = blGlyphLeft;
    int m_spacing = TSpeedButton::kDefaultSpacing;
};
