#pragma once

#include "components/FlatBtn/FlatBtnTypes.h"
#include "toolkit/gdi/Geometry.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

// What placing glyph and caption depends on.
struct TFlatBtnLayoutInput {
    QSize Button;
    QSize Glyph;
    QSize Text;        // the text rectangle from caption measuring
    int CaptionHeight; // height of the caption as one line
    bool ShowGlyph;
    TFlatBtnType Type;
    TGlyphPosition Position;
    bool RightToLeft;
};

struct TFlatBtnPlacement {
    TRect Glyph;
    TRect Text;
};

// Places the glyph rectangle G and the text rectangle T; both keep their
// sizes. The pressed offset is not applied here.
TFlatBtnPlacement PlaceGlyphAndCaption(const TFlatBtnLayoutInput &in);

// Moves caption (and a shown glyph) by the pressed offset.
void ApplyPressedOffset(TFlatBtnPlacement &placement, bool showGlyph);

// The width available to one caption line.
int CaptionWrapWidth(int buttonWidth, int glyphWidth, bool showGlyph, TFlatBtnType type, TGlyphPosition position);

// The button height that fits the caption (textHeight) and, when shown, the
// glyph (glyphHeight).
int FittingHeight(int textHeight, int glyphHeight, bool showGlyph, TFlatBtnType type, TGlyphPosition position);

// The frame of the focus cue around the caption of a type other than
// bsButton: one pixel outside the text rectangle on every side.
TRect CaptionFocusFrame(const TRect &text);

// The focus cue of a multi-line caption of a type other than bsButton: a
// closed polyline along the frame that follows the shorter last line (lines
// are lineHeight apart). Under right-to-left reading the figure is mirrored,
// as the last line then ends at the right.
std::vector<TPoint> MultiLineFocusOutline(const TRect &text, int lineCount, int lastLineWidth, int lineHeight,
                                          bool rightToLeft);
