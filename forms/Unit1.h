#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/grid/DBGrid.h"
#include "toolkit/app/Form.h"

#include <QString>

#include <memory>

class TDirectoryData;
class TFlatSkin;
class TField;
class TGlyphNavigator;
class TImageList;
class TMainMenu;
class TMenuItem;
class TPairedBorderDrag;
class TRoundHint;
class TStatusBar;
namespace Ui {
class Form1;
}

// The main window: the whole directory in an editable, striped grid with
// the navigator bar above it and the record counts below it, and the menu
// that leaves the program, opens the search dialog and shows the about box.
// It owns the directory's data objects, which its creation opens; closing it
// ends the program.
//
// Closing (the menu's "Выход", the close box, or the window system) first
// posts the row being edited, the grid's editor text included, while every
// window is whole; when the post fails its message is shown and the window
// stays open with the edit kept. Destruction closes the data objects before
// any control goes, so no notification reaches a destroyed listener.
class TForm1 : public TForm
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    TGlyphNavigator *GlyphNavigator1;
    TDBGrid *DBGrid1;
    TStatusBar *StatusBar1;
    TImageList *ImageList1;
    TMainMenu *MainMenu1;
    TMenuItem *mnuFile;
    TMenuItem *mnuExit;
    TMenuItem *mnuSearch;
    TMenuItem *mnuFind;
    TMenuItem *mnuHelp;
    TMenuItem *mnuAbout;
    TRoundHint *RoundHint1;
    TFlatSkin *FlatSkin1;
    TDirectoryData *Data;

    // The texts of the two status panels.
    static QString RecordCountText(int recordCount);
    static QString RecordNumberText(int recNo);
    // The text of the about box: six lines, each pair joined by LF then CR.
    static QString AboutText();

public slots:
    void FormCreate();
    void FormResize();
    void FormCloseQuery(bool &canClose);

private:
    void CreateMenu();
    void CreateRoundHint();
    void SetUpGrid();
    void SetUpNavigator();

    void DBGrid1MouseUp();
    void DataSource1DataChange(TField *field);
    void mnuExitClick(TMenuItem *sender);
    void mnuFindClick(TMenuItem *sender);
    void mnuAboutClick(TMenuItem *sender);

    std::unique_ptr<Ui::Form1> ui;
    std::unique_ptr<TImageList> m_imageList;
    std::unique_ptr<TMainMenu> m_mainMenu;
    std::unique_ptr<TPairedBorderDrag> m_borderDrag;
};
