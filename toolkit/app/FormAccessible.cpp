#include "toolkit/app/FormAccessible.h"

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
    if (className == QLatin1String("TMessageForm"))
        if (auto *box = qobject_cast<TMessageForm *>(object))
            return new TMessageFormAccessible(box);
    // The text of a box is read as a label, before its buttons.
    if (className == QLatin1String("TMessageBody"))
        if (auto *body = qobject_cast<TMessageBody *>(object))
            return new QAccessibleWidget(body, QAccessible::StaticText);
    if (className == QLatin1String("TForm"))
        if (auto *form = qobject_cast<TForm *>(object))
            return new TFormAccessible(form);
    return nullptr;
}

} // namespace

TFormAccessible::TFormAccessible(TForm *form) : QAccessibleWidget(form) {}

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
    static const bool installed = [] {
        QAccessible::installFactory(CreateForForm);
        return true;
    }();
    (void)installed;
}
