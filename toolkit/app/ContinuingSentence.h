#pragma once

#include <QString>

// A message that is complete on its own, as it reads when it goes on a
// sentence after a colon: its first word in small letters. A first word
// written in capitals (an abbreviation such as "SQL") keeps them.
QString ContinuingSentence(const QString &message);
