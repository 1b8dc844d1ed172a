#pragma once

#include <QString>

// The program's own messages are written in English in the code and shown
// in the program's language through Qt's translation machinery. Installs the
// compiled catalogue (a file or resource path) for the whole process;
// returns false when it cannot be read.
bool InstallTranslation(const QString &catalogue);

// Installs Qt's own Russian catalogue (the texts of Qt's standard widgets,
// such as the context menu of an edit field) from `folder`, by default the
// folder where the system keeps Qt's catalogues. Returns false when it is
// missing: Qt's texts then stay in English and nothing else changes.
bool InstallQtTranslation(const QString &folder = QString());

// The catalogue of the program's Russian messages, built with the program.
inline const QString kProgramCatalogue = QStringLiteral(":/translations/velirsk_ru.qm");
