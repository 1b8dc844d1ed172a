#pragma once

#include "toolkit/app/Form.h"

#include <memory>

class TImage;
class TPanel;
namespace Ui {
class SplashForm;
}

// The splash window shown while the program starts: the picture on a black
// panel with a raised bevel, without border or caption.
class TSplashForm : public TForm
{
    Q_OBJECT

public:
    explicit TSplashForm(QWidget *parent = nullptr);
    ~TSplashForm() override;

    TPanel *Panel1;
    TImage *Image1;

private:
    std::unique_ptr<Ui::SplashForm> ui;
};
