#include "toolkit/app/MessageFormAccessible.h"

#include "toolkit/app/MessageBody.h"
#include "toolkit/app/MessageForm.h"

TMessageFormAccessible::TMessageFormAccessible(TMessageForm *box)
    : TFormAccessible(box)
{ }

QAccessible::Role TMessageFormAccessible::role() const
{
    return QAccessible::AlertMessage;
}

QString TMessageFormAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Description)
        return static_cast<TMessageForm *>(Form())->Body()->Text();
    return TFormAccessible::text(t);
}
