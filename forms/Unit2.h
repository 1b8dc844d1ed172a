#pragma once

#include "toolkit/app/Form.h"
#include "toolkit/grid/DBGrid.h"

#include <memory>

class TDirectoryData;
class TGlyphNavigator;
class TPairedBorderDrag;
namespace Ui {
class Form2;
}

// The results window: the rows of the last search in a striped grid without
// in-place editing, a four-button navigator bar, and their number in the
// caption. Shown modally by the search dialog; closing only hides it. The
// caption's count is taken when the window is shown, and again whenever the
// query follows other programs' changes to the directory.
class TForm2 : public TForm
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

    // The search query and its data source, taken from the main window when
    // the window is created.
    void SetData(TDirectoryData *data);

    static QString ResultsCaption(int recordCount);

    TGlyphNavigator *GlyphNavigator1;
    TDBGrid *DBGrid1;

public slots:
    void FormCreate();
    void FormShow();
    // Escape closes the window as its close box does.
    void FormKeyPress(QChar &key);
    void FormResize();

private:
    void DBGrid1MouseUp();
    void ShowCount();

    std::unique_ptr<Ui::Form2> ui;
    std::unique_ptr<TPairedBorderDrag> m_borderDrag;
    TDirectoryData *m_data = nullptr;
};
