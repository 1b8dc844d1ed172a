#include "toolkit/app/MessageIcons.h"

#include "toolkit/gdi/Canvas.h"

namespace {

constexpr TColor kErrorRed = RGB(224, 0, 0);
constexpr TColor kErrorOutline = RGB(128, 0, 0);
constexpr TColor kSymbolBlue = RGB(0, 0, 255);
constexpr int kCrossPenWidth = 3;
constexpr int kQuestionFontHeight = -22;

// The error icon: a red disc with a white cross.
constexpr TRect kErrorDisc{1, 1, 31, 31};
constexpr TRect kCrossArms{10, 10, 22, 22};

// The balloon of the information and question icons, with its tail.
constexpr TRect kBalloon{1, 1, 31, 25};
constexpr TPoint kTailOutline[] = {{8, 20}, {5, 30}, {16, 23}};
constexpr TPoint kTailInside[] = {{9, 21}, {7, 27}, {14, 23}};
constexpr TRect kInfoDot{14, 4, 18, 8};
constexpr TRect kInfoStem{14, 10, 18, 21};

std::vector<TPoint> Points(const TPoint (&points)[3], TPoint origin)
{
    std::vector<TPoint> result;
    for (const TPoint &p : points)
        result.push_back({origin.X + p.X, origin.Y + p.Y});
    return result;
}

void SetPen(TCanvas &canvas, TColor color, int width = 1, TPenStyle style = psSolid)
{
    canvas.Pen().SetColor(color);
    canvas.Pen().SetWidth(width);
    canvas.Pen().SetStyle(style);
}

void SetBrush(TCanvas &canvas, TColor color)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
}

void DrawError(TCanvas &canvas, TPoint o)
{
    SetPen(canvas, kErrorOutline);
    SetBrush(canvas, kErrorRed);
    canvas.Ellipse(kErrorDisc.Offset(o.X, o.Y));
    const TRect arms = kCrossArms.Offset(o.X, o.Y);
    SetPen(canvas, clWhite, kCrossPenWidth);
    canvas.MoveTo(arms.Left, arms.Top);
    canvas.LineTo(arms.Right, arms.Bottom);
    canvas.MoveTo(arms.Right, arms.Top);
    canvas.LineTo(arms.Left, arms.Bottom);
}

void DrawBalloon(TCanvas &canvas, TPoint o)
{
    SetPen(canvas, clBlack);
    SetBrush(canvas, clWhite);
    canvas.Polygon(Points(kTailOutline, o));
    canvas.Ellipse(kBalloon.Offset(o.X, o.Y));
    // The tail's inside hides the balloon's outline where the two meet.
    SetPen(canvas, clWhite, 1, psClear);
    canvas.Polygon(Points(kTailInside, o));
}

void DrawInformation(TCanvas &canvas, TPoint o)
{
    DrawBalloon(canvas, o);
    SetBrush(canvas, kSymbolBlue);
    canvas.FillRect(kInfoStem.Offset(o.X, o.Y));
    SetPen(canvas, kSymbolBlue);
    canvas.Ellipse(kInfoDot.Offset(o.X, o.Y));
}

void DrawQuestion(TCanvas &canvas, TPoint o)
{
    DrawBalloon(canvas, o);
    canvas.Font().SetName(QStringLiteral("Tahoma"));
    canvas.Font().SetHeight(kQuestionFontHeight);
    canvas.Font().SetStyle(fsBold);
    canvas.Font().SetColor(kSymbolBlue);
    canvas.Brush().SetStyle(bsClear);
    TRect r = kBalloon.Offset(o.X, o.Y);
    canvas.DrawText(QStringLiteral("?"), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

void DrawMessageIcon(TCanvas &canvas, TPoint origin, TMsgIcon icon)
{
    canvas.Save();
    switch (icon) {
    case TMsgIcon::Error: DrawError(canvas, origin); break;
    case TMsgIcon::Information: DrawInformation(canvas, origin); break;
    case TMsgIcon::Question: DrawQuestion(canvas, origin); break;
    case TMsgIcon::None: break;
    }
    canvas.Restore();
}
