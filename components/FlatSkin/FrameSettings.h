#pragma once

#include "toolkit/controls/StandardControl.h"

class QWidget;

// The frame settings of a control, kept while the skin paints its frame and
// put back when the skin lets go of it: Ctl3D and BorderStyle on the
// toolkit's standard controls; on a bare Qt widget, what stands for them
// there (a line edit's or combo box's frame, a QFrame's style and width).
struct TFrameSettings {
    bool captured = false;
    bool ctl3D = true;
    TBorderStyle borderStyle = TBorderStyle::bsSingle;
    bool hasFrame = true;
    int frameStyle = 0;
    int lineWidth = 0;

    static TFrameSettings Capture(const QWidget &control);
    // Nothing for settings that were never captured.
    void Restore(QWidget &control) const;
};
