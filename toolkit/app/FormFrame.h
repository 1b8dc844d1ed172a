#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class TCanvas;

enum TFormBorderStyle { bsNone, bsDialog, bsSizeable };

// The sizes of the non-client area. The frame, caption and menu heights come
// from the system metrics (classic scheme: sizeable border 4, dialog frame 3,
// caption 18 + 1, menu bar 19); these are the fixed parts around them.
namespace FrameMetrics {
constexpr int kCaptionLine = 1;         // between the bar and the menu or client
constexpr int kCaptionButtonInsetX = 2; // button size = caption box size less these
constexpr int kCaptionButtonInsetY = 4;
constexpr int kCaptionButtonTop = 2; // below the bar's top
constexpr int kCloseBoxGap = 2;      // right of the close box, and before it
constexpr int kCaptionTextIndent = 4;
constexpr int kCaptionTextGap = 2; // between the text and the first button
constexpr int kCornerGrip = 16;    // how far a corner's sizing zone reaches
constexpr int kCaptionFontHeight = -11;
constexpr int kMinimumTrackWidth = 112; // the narrowest that sizing leaves a window

int SizeableBorder();
int DialogBorder();
int EdgeWidth();
int Caption(); // bar and line
int CaptionBar();
int MenuBand();
int CaptionButtonWidth();
int CaptionButtonHeight();
} // namespace FrameMetrics

enum class TCaptionButton { None, Minimize, Maximize, Close };

enum class TFrameHit {
    Client,
    Caption,
    MinimizeBox,
    MaximizeBox,
    CloseBox,
    Border, // a border that does not size the window
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

// Where everything of a window's non-client area lies, in window coordinates.
struct TFrameLayout {
    TFormBorderStyle style = bsSizeable;
    QSize outer;
    int border = 0;
    QRect caption;  // the coloured bar, empty without a caption
    QRect menuBand; // empty without a menu
    QRect client;
    QRect closeBox; // empty rectangles for boxes the style does not have
    QRect maximizeBox;
    QRect minimizeBox;

    static TFrameLayout Compute(TFormBorderStyle style, QSize outer, bool hasMenu);
    // The outer size that gives the client size.
    static QSize OuterSizeFor(TFormBorderStyle style, QSize client, bool hasMenu);
    static int BorderWidth(TFormBorderStyle style);
    static int NonClientHeight(TFormBorderStyle style, bool hasMenu);

    TFrameHit HitTest(QPoint pos) const;
    QRect ButtonRect(TCaptionButton button) const;
};

struct TFrameState {
    bool active = true;
    bool maximized = false;
    TCaptionButton pushedButton = TCaptionButton::None;
};

// Paints a frame, its caption bar and its caption buttons.
void PaintFormFrame(TCanvas &canvas, const TFrameLayout &layout, const TFrameState &state, const QString &caption);
