#pragma once

#include <QAccessibleWidget>

class TFlatGlyphButton;

// What assistive technology sees of a flat glyph button: a push button
// named by its caption whose press action clicks it, as the platform's
// command notification does.
class TFlatBtnAccessible : public QAccessibleWidget
{
public:
    explicit TFlatBtnAccessible(TFlatGlyphButton *button);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // Makes Qt's accessibility ask us for every TFlatGlyphButton.
    static void Install();

private:
    TFlatGlyphButton *Button() const;
};
