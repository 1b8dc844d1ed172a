#pragma once

#include "toolkit/Form.h"

class TDirectoryData;

// The main window. It owns the directory's data objects, which its creation
// opens; closing it ends the program.
class TForm1 : public TForm
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);

    TDirectoryData *Data;
};
