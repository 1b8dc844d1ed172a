#pragma once

#include "toolkit/app/FormAccessible.h"

class TMessageForm;

// What assistive technology sees of a message box: an alert named by its
// caption whose description is its text, so that the text is read before
// the focused button.
class TMessageFormAccessible : public TFormAccessible
{
public:
    explicit TMessageFormAccessible(TMessageForm *box);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
};
