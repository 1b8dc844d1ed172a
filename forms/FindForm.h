#pragma once

#include "toolkit/app/Form.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/GroupBox.h"

#include <QStringList>
#include <memory>

class QLabel;
class TADOQuery;
class TCanvas;
class TFlatGlyphButton;
class TFlatSkin;
class TForm2;
namespace Ui {
class FindDialog;
}

// The search dialog: seven criteria become one statement on the main
// window's search query, whose rows the results window then shows. A
// stay-on-top dialog that closing only hides.
class TFindDialog : public TForm
{
    Q_OBJECT

public:
    explicit TFindDialog(QWidget *parent = nullptr);
    ~TFindDialog() override;

    // The criteria in table order, from PhoneEdit to OrganEdit.
    QStringList Criteria() const;

    TGroupBox *GroupBox1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    TEdit *PhoneEdit;
    TEdit *FamilyEdit;
    TEdit *StreetEdit;
    TEdit *HomeEdit;
    TEdit *korpusEdit;
    TEdit *KvartEdit;
    TEdit *OrganEdit;
    TFlatGlyphButton *FindButton;
    TFlatGlyphButton *CancelButton;
    TFlatSkin *FlatSkin1;

public slots:
    void FormShow();
    void FormClose(TCloseAction &action);
    void FormKeyPress(QChar &key);
    void WMNCPaint(TCanvas &canvas);

private slots:
    void on_FindButton_Clicked();
    void on_CancelButton_Clicked();

private:
    void FindButtonClick();
    QList<TEdit *> Edits() const;
    QList<QLabel *> Labels() const;
    void RefuseUnsearchableCriteria();
    TADOQuery *SearchQuery() const;
    TForm2 *ResultsWindow() const;

    std::unique_ptr<Ui::FindDialog> ui;
    // From the click to the closing of the results window: input that was
    // queued meanwhile reaches the dialog then and must not search again.
    bool m_searchRunning = false;
    // A search failed: the next showing keeps what was typed for it.
    bool m_keepCriteria = false;
};
