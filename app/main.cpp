#include "components/FlatSkin/FlatSkinManager.h"
#include "forms/FindForm.h"
#include "forms/Unit1.h"
#include "forms/Unit2.h"
#include "forms/Unit3.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/Startup.h"
#include "toolkit/app/Translation.h"

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
            application.CreateForm<TForm1>();
            application.CreateForm<TFindDialog>();
            application.CreateForm<TForm2>();
        });
}
