#include "components/FlatSkin/FrameSettings.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>

TFrameSettings TFrameSettings::Capture(const QWidget &control)
{
    TFrameSettings settings;
    settings.captured = true;
    if (auto *standard = dynamic_cast<const TStandardControl *>(&control)) {
        settings.ctl3D = standard->Ctl3D();
        settings.borderStyle = standard->BorderStyle();
    } else if (auto *edit = qobject_cast<const QLineEdit *>(&control)) {
        settings.hasFrame = edit->hasFrame();
    } else if (auto *combo = qobject_cast<const QComboBox *>(&control)) {
        settings.hasFrame = combo->hasFrame();
    } else if (auto *frame = qobject_cast<const QFrame *>(&control)) {
        settings.frameStyle = frame->frameStyle();
        settings.lineWidth = frame->lineWidth();
    }
    return settings;
}

void TFrameSettings::Restore(QWidget &control) const
{
    if (!captured)
        return;
    if (auto *standard = dynamic_cast<TStandardControl *>(&control)) {
        standard->SetCtl3D(ctl3D);
        standard->SetBorderStyle(borderStyle);
    } else if (auto *edit = qobject_cast<QLineEdit *>(&control)) {
        edit->setFrame(hasFrame);
    } else if (auto *combo = qobject_cast<QComboBox *>(&control)) {
        combo->setFrame(hasFrame);
    } else if (auto *frame = qobject_cast<QFrame *>(&control)) {
        frame->setFrameStyle(frameStyle);
        frame->setLineWidth(lineWidth);
    }
}
