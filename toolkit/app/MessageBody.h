#pragma once

#include "toolkit/app/MessageBoxTypes.h"

#include <QSize>
#include <QString>
#include <QWidget>

// The icon and the text of a message box, painted on the face colour, as
// large as they need; a text lower than the icon is centred beside it.
class TMessageBody : public QWidget
{
    Q_OBJECT

public:
    TMessageBody(const TMessageBoxRequest &request, QWidget *parent);

    // The text as laid out, one line break per break of the request.
    const QString &Text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TMsgIcon m_icon;
    QString m_text;
    QSize m_textSize;
    int m_textLeft = 0;
};
