#pragma once

#include "toolkit/db/Field.h"
#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/Geometry.h"

#include <QString>
#include <QWidget>

class TCanvas;

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// The caption alignment is the toolkit's TAlignment, shared with fields.
//
// A container with a face colour, an outer and an inner bevel with a border
// between them, and an optional caption on one line.
class TPanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)

public:
    explicit TPanel(QWidget *parent = nullptr);

    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel bevel);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel bevel);
    // At least 1; smaller values are ignored.
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int width);
    // Pixels of face colour between the bevels; negative values are ignored.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int width);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &font);

    // The part of the panel inside its bevels and border.
    TRect InnerRect() const;

protected:
    // The panel's own picture: bevels, border, face and caption.
    virtual void Paint(TCanvas &canvas);
    // Composes the picture off-screen and copies it in one block.
    void paintEvent(QPaintEvent *event) override;

private:
    TPanelBevel m_bevelOuter = bvRaised;
    TPanelBevel m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TColor m_color = clBtnFace;
    QString m_caption;
    TAlignment m_alignment = taCenter;
    TFont m_font;
};
