#pragma once

#include <QAccessibleWidget>

class TForm;

// What assistive technology sees of a form, which draws its own frame and
// caption: a window named by its caption, in the role its border gives it:
// a dialog-framed form is a dialog, any other a window (a frame to AT-SPI).
class TFormAccessible : public QAccessibleWidget
{
public:
    explicit TFormAccessible(TForm *form);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;

    // Makes Qt's accessibility ask us for every form, message boxes
    // included.
    static void Install();

protected:
    TForm *Form() const;
};
