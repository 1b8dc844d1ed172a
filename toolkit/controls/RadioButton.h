#pragma once

#include "toolkit/controls/StandardControl.h"
#include "toolkit/db/Field.h"

#include <QRadioButton>

// A radio button in the platform's classic look; Alignment places the
// caption as for TCheckBox.
class TRadioButton : public QRadioButton, public TStandardControl
{
    Q_OBJECT

public:
    explicit TRadioButton(QWidget *parent = nullptr);

    bool Checked() const { return isChecked(); }
    TAlignment Alignment() const { return m_alignment; }
    // taCenter is ignored.
    void SetAlignment(TAlignment alignment);

protected:
    Qt::LayoutDirection LayoutDirection() const override;

private:
    TAlignment m_alignment = taRightJustify;
};
