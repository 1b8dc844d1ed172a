#pragma once

#include <QAccessible>
#include <QPointer>

class TStatusBar;

// One panel of a status bar as assistive technology sees it: a static text
// named by the panel's text. It holds only the panel's index and reads the
// bar whenever asked; the simple panel, while it shows, is index 0.
class TStatusPanelAccessible : public QAccessibleInterface
{
public:
    TStatusPanelAccessible(TStatusBar *bar, int index);

    int Index() const { return m_index; }

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override;

private:
    QPointer<TStatusBar> m_bar;
    int m_index;
};
