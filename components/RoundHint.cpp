#include "components/RoundHint.h"

#include "toolkit/gdi/SystemColors.h"
#include "toolkit/hints/HintManager.h"

#include <algorithm>

namespace {

constexpr int kMinFrameWidth = 1;
constexpr int kMaxFrameWidth = 20;
constexpr int kMinRoundSize = 0;
constexpr int kMaxRoundSize = 20;
constexpr int kMinFrameFade = 0;
constexpr int kMaxFrameFade = 50;
constexpr int kFadeScale = 50;

// The standard window's one-pixel frame: the client area starts this far
// inside the window.
constexpr int kBorderWidth = 1;
// Rows above the body that hold the tail; the measure adds them.
constexpr int kTailHeight = 20;
// The tail's tip and the two ends of its base lie at these fractions of the
// measured width.
constexpr int kTailTipDivisor = 10;
constexpr int kTailBaseStartDivisor = 5;
constexpr int kTailBaseEndDivisor = 2;
// The text starts this far inside the frame.
constexpr int kTextIndent = 2;
constexpr int kTextDrop = 1;
constexpr unsigned kTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

TRoundHint *g_firstHintComponent = nullptr;
TRoundHintWindow *g_currentHintWindow = nullptr;

bool InRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

// Any bit of the high byte makes a system colour, looked up by the index in
// its low byte; an index the table does not know gives black.
TColor ResolvedColor(TColor color)
{
    return (color & 0xFF000000u) ? GetSysColor(SystemColorIndex(color)) : color;
}

// component * fiftieths / 50, rounded to nearest with halves to even: the
// quotient is a half exactly when the remainder is 25, so integer arithmetic
// gives what rounding the floating-point quotient gives.
int FadeComponent(int component, int fiftieths)
{
    const int product = component * fiftieths;
    int quotient = product / kFadeScale;
    const int remainder = product % kFadeScale;
    if (2 * remainder > kFadeScale || (2 * remainder == kFadeScale && quotient % 2 != 0))
        ++quotient;
    return std::clamp(quotient, 0, 255);
}

} // namespace

TColor FadeColor(TColor color, int fiftieths)
{
    const TColor rgb = ResolvedColor(color);
    return RGB(FadeComponent(GetRValue(rgb), fiftieths), FadeComponent(GetGValue(rgb), fiftieths),
               FadeComponent(GetBValue(rgb), fiftieths));
}

TRoundHint::TRoundHint(QObject *owner)
    : QObject(owner)
    , m_savedHintWindowClass(THintManager::HintWindowClass())
    , m_pattern(std::make_unique<TBitmap>())
{
    if (!g_firstHintComponent)
        g_firstHintComponent = this;
    THintManager::SetHintWindowClass(THintWindowClass::Of<TRoundHintWindow>());
}

// The balloon class stays installed: hint windows made later are balloons
// with the built-in look.
TRoundHint::~TRoundHint()
{
    if (g_firstHintComponent == this)
        g_firstHintComponent = nullptr;
}

TRoundHint *TRoundHint::FirstHintComponent()
{
    return g_firstHintComponent;
}

void TRoundHint::SetActive(bool active)
{
    if (active == m_active)
        return;
    if (active) {
        m_savedHintWindowClass = THintManager::HintWindowClass();
        THintManager::SetHintWindowClass(THintWindowClass::Of<TRoundHintWindow>());
    } else {
        THintManager::SetHintWindowClass(m_savedHintWindowClass);
    }
    m_active = active;
}

template <class Value> void TRoundHint::Store(Value TBalloonStyle::*field, Value value)
{
    m_style.*field = value;
    if (TRoundHintWindow *window = TRoundHintWindow::CurrentHintWindow())
        window->m_style.*field = value;
}

void TRoundHint::SetFrameWidth(int width)
{
    if (InRange(width, kMinFrameWidth, kMaxFrameWidth))
        Store(&TBalloonStyle::FrameWidth, width);
}

void TRoundHint::SetRoundSize(int size)
{
    if (InRange(size, kMinRoundSize, kMaxRoundSize))
        Store(&TBalloonStyle::RoundSize, size);
}

void TRoundHint::SetFrameColor(TColor color)
{
    Store(&TBalloonStyle::FrameColor, color);
}

void TRoundHint::SetFrameFade(int fade)
{
    if (InRange(fade, kMinFrameFade, kMaxFrameFade))
        Store(&TBalloonStyle::FrameFade, fade);
}

void TRoundHint::SetAutoFrameColor(bool automatic)
{
    Store(&TBalloonStyle::AutoFrameColor, automatic);
}

void TRoundHint::SetPattern(const TBitmap *pattern)
{
    m_pattern = pattern ? std::make_unique<TBitmap>(*pattern) : std::make_unique<TBitmap>();
    if (TRoundHintWindow *window = TRoundHintWindow::CurrentHintWindow()) {
        TBrush &brush = window->Canvas().Brush();
        brush.SetBitmap(nullptr);
        brush.SetStyle(bsClear);
        if (!m_pattern->Empty())
            window->UsePattern(*m_pattern);
    }
}

TRoundHintWindow::TRoundHintWindow()
{
    g_currentHintWindow = this;
    if (const TRoundHint *first = TRoundHint::FirstHintComponent()) {
        m_style = first->Style();
        if (!first->Pattern().Empty())
            UsePattern(first->Pattern());
    }
}

TRoundHintWindow::~TRoundHintWindow()
{
    if (g_currentHintWindow == this)
        g_currentHintWindow = nullptr;
}

TRoundHintWindow *TRoundHintWindow::CurrentHintWindow()
{
    return g_currentHintWindow;
}

void TRoundHintWindow::UsePattern(const TBitmap &pattern)
{
    m_pattern = pattern;
    Canvas().Brush().SetBitmap(&m_pattern);
}

TRect TRoundHintWindow::CalcHintRect(int maxWidth, const QString &hint, const void *data)
{
    const TRect text = THintWindow::CalcHintRect(maxWidth, hint, data);
    const int frame = m_style.FrameWidth;
    return {text.Left - frame, text.Top - frame, text.Right + frame + 1, text.Bottom + frame + kTailHeight};
}

void TRoundHintWindow::ActivateHint(const TRect &rect, const QString &hint)
{
    THintWindow::ActivateHint(rect, hint);

    const int measuredWidth = rect.Width();
    const int tip = measuredWidth / kTailTipDivisor;
    const int baseStart = measuredWidth / kTailBaseStartDivisor;
    const int baseEnd = measuredWidth / kTailBaseEndDivisor;
    const int windowWidth = width();
    const int windowHeight = height();
    const int round = m_style.RoundSize;

    m_outline =
        TRegion::FromRoundRect(kBorderWidth, kTailHeight, windowWidth, windowHeight - kBorderWidth, round, round);
    m_outline.Combine(
        TRegion::FromPolygon({{tip, kBorderWidth}, {baseStart, kTailHeight}, {baseEnd, kTailHeight}}, WINDING));

    m_paintRegion = TRegion::FromRoundRect(0, kTailHeight - kBorderWidth, windowWidth - kBorderWidth,
                                           windowHeight - 2 * kBorderWidth, round, round);
    m_paintRegion.Combine(TRegion::FromPolygon(
        {{tip - kBorderWidth, 0}, {baseStart, kTailHeight}, {baseEnd + m_style.FrameWidth, kTailHeight}}, WINDING));

    clearMask();
    setMask(m_outline.ToQRegion());
    update();
}

TColor TRoundHintWindow::FrameColorToPaint() const
{
    return m_style.AutoFrameColor ? FadeColor(Color(), m_style.FrameFade) : ResolvedColor(m_style.FrameColor);
}

void TRoundHintWindow::Paint()
{
    TCanvas &canvas = Canvas();
    TRect textRect = ClientRect();
    textRect.Top += kTailHeight;

    // A hollow brush leaves the body in the hint colour the background was
    // erased with; a pattern tiles it.
    canvas.FillRgn(m_paintRegion, canvas.Brush());
    TBrush frame;
    frame.SetColor(FrameColorToPaint());
    canvas.FrameRgn(m_paintRegion, frame, m_style.FrameWidth, m_style.FrameWidth);

    textRect.Left += m_style.FrameWidth + kTextIndent;
    textRect.Top += m_style.FrameWidth + kTextDrop;
    canvas.Save();
    TBrush transparent;
    transparent.SetStyle(bsClear);
    canvas.SetBrush(transparent);
    canvas.Font().SetColor(clInfoText);
    canvas.DrawText(Caption(), textRect, kTextFlags | ReadingOrderFlags());
    canvas.Restore();
}
