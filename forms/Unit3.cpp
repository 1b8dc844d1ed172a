#include "forms/Unit3.h"

#include "toolkit/controls/Image.h"
#include "toolkit/controls/Panel.h"

#include "ui_Unit3.h"

TSplashForm::TSplashForm(QWidget *parent)
    : TForm(parent)
    , ui(std::make_unique<Ui::SplashForm>())
{
    Q_INIT_RESOURCE(splash);
    LoadLayout(*ui);
    Panel1 = ui->Panel1;
    Image1 = ui->Image1;
    Panel1->SetColor(clBlack);
    Panel1->SetBevelOuter(bvRaised);
}

TSplashForm::~TSplashForm() = default;
