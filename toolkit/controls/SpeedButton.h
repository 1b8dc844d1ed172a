#pragma once

#include "toolkit/controls/GraphicControl.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/Geometry.h"

#include <QString>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The cells of a speed button's glyph, side by side in this order; a glyph
// holds the first NumGlyphs of them.
enum TButtonGlyphCell { gcEnabled, gcDisabled, gcPressed, gcDown };

// A button without a window of its own that never takes the focus: a face,
// an optional glyph and a caption. A flat button shows no frame until the
// pointer is over it; a transparent one leaves its face unpainted, so that
// what lies beneath shows through.
//
// The state (Hot, Pressed, Down, enabled) stays readable, so that a skin can
// paint the face itself.
class TSpeedButton : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
    static constexpr int kMaxNumGlyphs = 4;
    static constexpr int kDefaultSpacing = 4;

    explicit TSpeedButton(QWidget *parent = nullptr);

    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);
    // On by default.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    bool Down() const { return m_down; }
    void SetDown(bool down);

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
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &font);

    // Published as the property "Hint", where the hint machinery reads it;
    // whether it is shown follows the nearest ancestor that says so.
    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint);

    // The pointer is over the button.
    bool MouseInControl() const { return m_mouseInControl; }
    // The pointer is over an enabled button.
    bool Hot() const { return m_mouseInControl && isEnabled(); }
    // The left button went down on the button and is still held with the
    // pointer over it.
    bool Pressed() const { return m_pressed && m_mouseInControl; }
    // The left button went down on the button and is still held, wherever
    // the pointer is now.
    bool Tracking() const { return m_pressed; }

    // The glyph cell shown in the current state; a cell the glyph does not
    // hold falls back to the enabled one.
    TButtonGlyphCell CurrentCell() const;

    // Acts as if the button had been clicked. An exception from a Clicked
    // handler is shown by the application's handler and goes no further.
    virtual void Click();

    void PaintTo(TCanvas &canvas) override;

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

    // Called when the left button is released; `inside` tells whether the
    // pointer was still over the button. Clicks when inside by default.
    virtual void Released(bool inside);
    // Drawn after the face, glyph and caption (a focus frame, for example).
    virtual void PaintOverlay(TCanvas &canvas, const TRect &face);

private:
    void SetMouseInControl(bool inside);
    // Draws the frame and the face; on return `face` is the area inside the frame.
    void PaintFrame(TCanvas &canvas, TRect &face) const;
    void PaintGlyphAndCaption(TCanvas &canvas, const TRect &face) const;

    TBitmap m_glyph;
    int m_numGlyphs = 1;
    TButtonLayout m_layout = blGlyphLeft;
    int m_spacing = kDefaultSpacing;
    QString m_caption;
    TFont m_font;
    QString m_hint;
    bool m_flat = false;
    bool m_transparent = true;
    bool m_down = false;
    bool m_mouseInControl = false;
    bool m_pressed = false;
};
