#pragma once

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Region.h"
#include "toolkit/hints/HintWindow.h"
#include "toolkit/hints/HintWindowClass.h"

#include <QObject>

#include <memory>

// The look of a balloon hint, as the component holds it and each balloon
// window copies it. The values here are the ones a balloon uses when no
// component exists.
struct TBalloonStyle {
    int FrameWidth = 2;
    int RoundSize = 15;
    TColor FrameColor = clInfoBk;
    // Fiftieths of the hint colour that the automatic frame colour keeps.
    int FrameFade = 35;
    bool AutoFrameColor = true;
};

// A colour with each component scaled by fiftieths / 50, rounded to the
// nearest integer with halves to the even neighbour; system colours are
// resolved first.
TColor FadeColor(TColor color, int fiftieths);

// A non-visual component that, while active, makes TRoundHintWindow the
// application's hint window class, and holds the look of the balloons.
// The first component constructed supplies the look of every balloon made
// later; the setters of any component reach the current balloon.
class TRoundHint : public QObject
{
    Q_OBJECT
public:
    explicit TRoundHint(QObject *owner = nullptr);
    ~TRoundHint() override;
    TRoundHint(const TRoundHint &) = delete;
    TRoundHint &operator=(const TRoundHint &) = delete;

    static TRoundHint *FirstHintComponent();

    bool Active() const { return m_active; }
    void SetActive(bool active);
    // 1 to 20 pixels.
    int FrameWidth() const { return m_style.FrameWidth; }
    void SetFrameWidth(int width);
    // 0 to 20 pixels; 0 gives square corners.
    int RoundSize() const { return m_style.RoundSize; }
    void SetRoundSize(int size);
    TColor FrameColor() const { return m_style.FrameColor; }
    void SetFrameColor(TColor color);
    // 0 to 50 fiftieths.
    int FrameFade() const { return m_style.FrameFade; }
    void SetFrameFade(int fade);
    bool AutoFrameColor() const { return m_style.AutoFrameColor; }
    void SetAutoFrameColor(bool automatic);
    const TBalloonStyle &Style() const { return m_style; }
    // Tiled over the body of the balloon when not empty. The component keeps
    // a copy; none or an empty bitmap leaves the balloon plain.
    const TBitmap &Pattern() const { return *m_pattern; }
    void SetPattern(const TBitmap *pattern);

private:
    // Stores a setting and hands it to the current balloon.
    template <class Value> void Store(Value TBalloonStyle::*field, Value value);

    bool m_active = true;
    THintWindowClass m_savedHintWindowClass;
    TBalloonStyle m_style;
    std::unique_ptr<TBitmap> m_pattern;
};

// A hint window shaped as a speech balloon: a rounded body below a tail
// that points up and to the left, towards the pointer, framed in a shade of
// the hint colour, with the text word-wrapped in the body.
class TRoundHintWindow : public THintWindow
{
    Q_OBJECT
public:
    TRoundHintWindow();
    ~TRoundHintWindow() override;

    static TRoundHintWindow *CurrentHintWindow();

    TRect CalcHintRect(int maxWidth, const QString &hint, const void *data) override;
    void ActivateHint(const TRect &rect, const QString &hint) override;

    const TBalloonStyle &Style() const { return m_style; }
    // The window's shape, in window coordinates.
    const TRegion &OutlineRegion() const { return m_outline; }
    // The body and tail as painted, in client coordinates.
    const TRegion &PaintRegion() const { return m_paintRegion; }
    // The colour the frame is painted in with the current background.
    TColor FrameColorToPaint() const;

protected:
    void Paint() override;

private:
    friend class TRoundHint;
    // The brush tiles the window's own copy of the pattern, so that the
    // balloon never paints with a bitmap its component has freed.
    void UsePattern(const TBitmap &pattern);

    TRegion m_outline;
    TRegion m_paintRegion;
    TBalloonStyle m_style;
    TBitmap m_pattern;
};
