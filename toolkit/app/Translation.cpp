#include "toolkit/app/Translation.h"

#include <QCoreApplication>
#include <QTranslator>

bool InstallTranslation(const QString &catalogue)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(catalogue)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
