#include "toolkit/controls/SpeedButtonAccessible.h"

#include "toolkit/app/AccessibleFactory.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/gdi/Accelerator.h"

TSpeedButtonAccessible::TSpeedButtonAccessible(TSpeedButton *button)
    : QAccessibleWidget(button, QAccessible::Button)
{ }

TSpeedButton *TSpeedButtonAccessible::Button() const
{
    return static_cast<TSpeedButton *>(widget());
}

QString TSpeedButtonAccessible::text(QAccessible::Text t) const
{
    const QString caption = WithoutAmpersands(Button()->Caption());
    switch (t) {
    case QAccessible::Name: return caption.isEmpty() ? Button()->Hint() : caption;
    case QAccessible::Description: return caption.isEmpty() ? QString() : Button()->Hint();
    default: return QAccessibleWidget::text(t);
    }
}

QAccessible::State TSpeedButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = Button()->Down() || Button()->Pressed();
    return state;
}

QStringList TSpeedButtonAccessible::actionNames() const
{
    if (!Button()->isEnabled())
        return {};
    return {pressAction()};
}

void TSpeedButtonAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction() && Button()->isEnabled())
        Button()->Click();
}

void TSpeedButtonAccessible::Install()
{
    InstallAccessibleFactory<TSpeedButton, TSpeedButtonAccessible>();
}
