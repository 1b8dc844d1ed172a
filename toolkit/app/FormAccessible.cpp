#include "toolkit/app/FormAccessible.h"

#include "toolkit/app/AccessibleFactory.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/MessageBody.h"
#include "toolkit/app/MessageForm.h"
#include "toolkit/app/MessageFormAccessible.h"

namespace {

QAccessible::Role RoleOfBorder(TFormBorderStyle style)
{
    // A Window is what the platform's bridges call a frame.
    return style == bsDialog ? QAccessible::Dialog : QAccessible::Window;
}

QAccessibleInterface *CreateForForm(const QString &className, QObject *object)
{
    if (QAccessibleInterface *box = AccessibleFor<TMessageForm, TMessageFormAccessible>(className, object))
        return box;
    // The text of a box is read as a label, before its buttons.
    if (className == QLatin1String("TMessageBody"))
        if (auto *body = qobject_cast<TMessageBody *>(object))
            return new QAccessibleWidget(body, QAccessible::StaticText);
    return AccessibleFor<TForm, TFormAccessible>(className, object);
}

} // namespace

TFormAccessible::TFormAccessible(TForm *form)
    : QAccessibleWidget(form)
{ }

TForm *TFormAccessible::Form() const
{
    return static_cast<TForm *>(widget());
}

// The border may change after the interface was made.
QAccessible::Role TFormAccessible::role() const
{
    return RoleOfBorder(Form()->BorderStyle());
}

QString TFormAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return Form()->Caption();
    return QAccessibleWidget::text(t);
}

void TFormAccessible::Install()
{
    InstallAccessibleFactoryOnce<CreateForForm>();
}
