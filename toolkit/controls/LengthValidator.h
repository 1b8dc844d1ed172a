#pragma once

#include <QValidator>

#include <limits>

// The largest text a line edit takes when nothing else limits it. A line
// edit's own maximum length cuts longer input silently, so the program's
// edits never rely on it: they take any length, or refuse input whole
// through TLengthValidator.
constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

// Accepts a text of at most a given number of characters. Input that would
// make it longer is refused whole, never cut: the line edit undoes the change
// and signals inputRejected(), after which RefusedLength() tells how long the
// text would have been.
class TLengthValidator : public QValidator
{
    Q_OBJECT

public:
    explicit TLengthValidator(QObject *parent = nullptr);

    qsizetype Limit() const { return m_limit; }
    void SetLimit(qsizetype characters);
    qsizetype RefusedLength() const { return m_refusedLength; }

    State validate(QString &input, int &position) const override;

private:
    qsizetype m_limit = kNoLengthLimit;
    // validate() is const for Qt, yet the refusal is what the line edit reports.
    mutable qsizetype m_refusedLength = 0;
};
