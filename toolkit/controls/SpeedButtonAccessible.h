#pragma once

#include <QAccessibleWidget>

class TSpeedButton;

// What assistive technology sees of a speed button (a navigator's buttons
// among them): a push button named by its caption, or by its hint when it
// shows only a glyph, with a press action that clicks it.
class TSpeedButtonAccessible : public QAccessibleWidget
{
public:
    explicit TSpeedButtonAccessible(TSpeedButton *button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // Makes Qt's accessibility ask us for every TSpeedButton.
    static void Install();

private:
    TSpeedButton *Button() const;
};
