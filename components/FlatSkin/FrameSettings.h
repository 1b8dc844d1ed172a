#pragma once

class QWidget;

// The frame settings of a control: what stands here for its Ctl3D and
// BorderStyle. Edits and lists keep them while the skin paints their frames,
// and get them back when the skin lets go of them.
struct TFrameSettings {
    bool captured = false;
    // QLineEdit and QComboBox: a frame or none.
    bool hasFrame = true;
    // QFrame and the scroll areas built on it: shape and shadow, line width.
    int frameStyle = 0;
    int lineWidth = 0;

    static TFrameSettings Capture(const QWidget &control);
    // Nothing for settings that were never captured.
    void Restore(QWidget &control) const;
};
