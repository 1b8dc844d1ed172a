#include "toolkit/app/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
// The catalogue of Qt's base module; the program uses no other Qt module
// that has texts of its own.
const QString kQtCatalogueName = QStringLiteral("qtbase_ru.qm");
} // namespace

bool InstallTranslation(const QString &catalogue)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(catalogue)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

bool InstallQtTranslation(const QString &folder)
{
    const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    return InstallTranslation(QDir(from).filePath(kQtCatalogueName));
}
