#include "toolkit/app/ContinuingSentence.h"

QString ContinuingSentence(const QString &message)
{
    if (message.size() < 2 || !message.at(0).isUpper() || !message.at(1).isLower())
        return message;
    return message.at(0).toLower() + message.mid(1);
}
