#include "components/FlatBtn/FlatBtnAccessible.h"

#include "components/FlatBtn.h"

namespace {

QAccessibleInterface *createForFlatButton(const QString &className, QObject *object)
{
    if (className == QLatin1String("TFlatGlyphButton"))
        if (auto *button = qobject_cast<TFlatGlyphButton *>(object))
            return new TFlatBtnAccessible(button);
    return nullptr;
}

// The caption as read out: an ampersand marks the accelerator and is not
// shown, "&&" shows one ampersand.
QString withoutAmpersands(const QString &caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && ++i == caption.size())
            break;
        shown += caption.at(i);
    }
    return shown;
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
        return withoutAmpersands(Button()->Caption());
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
