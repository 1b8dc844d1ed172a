#include "components/FlatSkin/FlatSkinManager.h"
#include "forms/FindForm.h"
#include "forms/Unit1.h"
#include "forms/Unit2.h"
#include "forms/Unit3.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/Startup.h"
#include "toolkit/app/Translation.h"

#include <QTimer>
#include <memory>

int main(int argc, char *argv[])
{
    TApplication application(argc, argv);
    application.SetTitle(QStringLiteral("Телефонный справочник г. Велирск"));
    InstallTranslation(kProgramCatalogue);
    InstallQtTranslation();
    InstallFlatSkinManager();
    return RunProgram(
        application, [] { return std::make_unique<TSplashForm>(); },
        [&application] {
            TForm1 *mainForm = application.CreateForm<TForm1>();
            // The search dialog and the results window stay hidden until they
            // are asked for; they are made on the turn of the event loop after
            // the main window's first paint, which so does not wait for them.
            auto firstPaint = std::make_shared<QMetaObject::Connection>();
            *firstPaint = QObject::connect(mainForm, &TForm::NonClientPaint, &application, [&application, firstPaint] {
                QObject::disconnect(*firstPaint);
                QTimer::singleShot(0, &application, [&application] {
                    application.CreateForm<TFindDialog>();
                    application.CreateForm<TForm2>();
                });
            });
        });
}
