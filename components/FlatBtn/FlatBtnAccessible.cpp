#include "components/FlatBtn/FlatBtnAccessible.h"

#include "components/FlatBtn.h"
#include "toolkit/app/AccessibleFactory.h"
#include "toolkit/gdi/Accelerator.h"

TFlatBtnAccessible::TFlatBtnAccessible(TFlatGlyphButton *button)
    : QAccessibleWidget(button, QAccessible::Button)
{ }

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
    InstallAccessibleFactory<TFlatGlyphButton, TFlatBtnAccessible>();
}
