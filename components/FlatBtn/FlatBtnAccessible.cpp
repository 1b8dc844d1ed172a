#include "components/FlatBtn/FlatBtnAccessible.h"

#include "components/FlatBtn.h"
#include "toolkit/gdi/Accelerator.h"

namespace {

QAccessibleInterface *createForFlatButton(const QString &className, QObject *object)
{
    if (className == QLatin1String("TFlatGlyphButton"))
        if (auto *button = qobject_cast<TFlatGlyphButton *>(object))
            return new TFlatBtnAccessible(button);
    return nullptr;
}

} // namespace

TFlatBtnAccessible::TFlatBtnAccessible(TFlatGlyphButton *button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

TFlatGlyphButton *TFlatBtnAccessible::Button() const
{
    return static_cast<TFlatGlyphButton *>(widget());
}

QString TFlatBtnAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return WithoutAmpersands(Button()->Caption());
    return QAccessibleWidget::text(t);
}

QStringList TFlatBtnAccessible::actionNames() const
{
    return {pressAction()};
}

void TFlatBtnAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        Button()->CommandClick();
}

void TFlatBtnAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createForFlatButton);
        return true;
    }();
    (void)installed;
}
