#pragma once

#include "toolkit/gdi/Font.h"

#include <QString>
#include <QWidget>

#include <vector>

// A status bar in the classic look: sunken panels side by side, or one
// simple panel across the whole bar, and a size grip in the bottom-right
// corner that resizes the window.
//
// Assistive technology sees the panels as texts (TStatusBarAccessible) and
// hears of every change of a panel's text.
class TStatusBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDefaultHeight = 19;

    struct TStatusPanel {
        QString Text;
        int Width = 50;
        Qt::Alignment Alignment = Qt::AlignLeft;
    };

    explicit TStatusBar(QWidget *parent = nullptr);

    int PanelCount() const { return static_cast<int>(m_panels.size()); }
    int AddPanel(int width, const QString &text = {});
    // Out-of-range indexes are ignored.
    void RemovePanel(int index);
    const TStatusPanel &Panel(int index) const { return m_panels.at(static_cast<std::size_t>(index)); }
    void SetPanelText(int index, const QString &text);
    void SetPanelWidth(int index, int width);
    void SetPanelAlignment(int index, Qt::Alignment alignment);

    bool SimplePanel() const { return m_simplePanel; }
    void SetSimplePanel(bool simple);
    const QString &SimpleText() const { return m_simpleText; }
    void SetSimpleText(const QString &text);
    bool SizeGrip() const { return m_sizeGrip; }
    // The font of the panel texts; the window's font by default.
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &font);
    void SetSizeGrip(bool sizeGrip);

    // The sunken frame of a panel, in bar coordinates. Panels lie side by
    // side, each Width wide; the last one reaches to the grip (or the edge).
    QRect PanelRect(int index) const;
    QRect SimplePanelRect() const;
    QRect GripRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool ShowsGrip() const;

    std::vector<TStatusPanel> m_panels;
    bool m_simplePanel = false;
    QString m_simpleText;
    bool m_sizeGrip = true;
    TFont m_font;
};
