#include "toolkit/controls/LengthValidator.h"

TLengthValidator::TLengthValidator(QObject *parent)
    : QValidator(parent)
{ }

void TLengthValidator::SetLimit(qsizetype characters)
{
    if (characters == m_limit)
        return;
    m_limit = characters;
    emit changed();
}

QValidator::State TLengthValidator::validate(QString &input, int &) const
{
    if (input.size() <= m_limit)
        return Acceptable;
    m_refusedLength = input.size();
    return Invalid;
}
