#pragma once

#include "toolkit/controls/StandardControl.h"

#include <QGroupBox>

// A captioned frame around a group of controls, in the platform's classic
// look (an etched frame broken by the caption).
class TGroupBox : public QGroupBox, public TStandardControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    explicit TGroupBox(QWidget *parent = nullptr);

    QString Caption() const { return title(); }
    void SetCaption(const QString &caption) { setTitle(caption); }
};
