#include "toolkit/Font.h"
#include "toolkit/SystemColors.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterBundledFonts();
    InstallApplicationPalette();
    QWidget window;
    window.setWindowTitle(QStringLiteral("Телефонный справочник г. Велирск v. 1.0"));
    window.resize(699, 411);
    window.show();
    return app.exec();
}
