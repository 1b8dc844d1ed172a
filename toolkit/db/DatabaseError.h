#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The error of the data layer: data-set misuse and every failure of the
// database provider. The message is complete and meant to be shown to the
// user as it is; what() gives it in UTF-8.
class EDatabaseError : public std::exception
{
public:
    explicit EDatabaseError(const QString &message)
        : m_message(message)
        , m_utf8(message.toUtf8())
    { }

    const QString &Message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
