#pragma once

#include "toolkit/controls/StandardControl.h"

#include <QComboBox>

// Simple: an edit over a list that is always shown, no button. Drop-down: an
// edit with a button that opens the list. Drop-down list: the same without
// an edit.
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// A combo box in the platform's classic look.
class TComboBox : public QComboBox, public TStandardControl
{
    Q_OBJECT

public:
    explicit TComboBox(QWidget *parent = nullptr);

    TComboBoxStyle Style() const { return m_style; }
    void SetStyle(TComboBoxStyle style);
    // The list is open.
    bool DroppedDown() const { return m_droppedDown; }

    void showPopup() override;
    void hidePopup() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TComboBoxStyle m_style = csDropDown;
    bool m_droppedDown = false;
};
