#pragma once

#include "toolkit/app/Form.h"
#include "toolkit/gdi/Colors.h"
#include "toolkit/grid/DBGrid.h"

#include <QString>
#include <QTimer>

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
// When another program changes the directory, the grid and the counts follow
// by themselves (see TADOConnection); what the person should know of it (the
// row they stood on was deleted elsewhere, their edit outlived its row) is
// told in a third status panel that comes for the time it is needed.
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
    // What the notice panel says when the current row was deleted elsewhere,
    // when the row being edited was deleted in the results window, and when
    // the grid could not follow the file.
    static QString RowDeletedElsewhereText();
    static QString EditKeptAsNewText();
    static QString FollowFailedText(const QString &reason);
    // The notice panel's text; empty while there is no notice.
    QString NoticeText() const;
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
    // Shows a notice; one that lasts goes when the table's state next changes,
    // any other also after kNoticeMs.
    void ShowNotice(const QString &text, bool lasting);
    void HideNotice();
    void mnuExitClick(TMenuItem *sender);
    void mnuFindClick(TMenuItem *sender);
    void mnuAboutClick(TMenuItem *sender);

    std::unique_ptr<Ui::Form1> ui;
    std::unique_ptr<TImageList> m_imageList;
    std::unique_ptr<TMainMenu> m_mainMenu;
    std::unique_ptr<TPairedBorderDrag> m_borderDrag;
    QTimer m_noticeTimer;
};
