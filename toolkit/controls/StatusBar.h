#pragma once

#include "toolkit/gdi/Font.h"

#include <QString>
#include <QWidget>

#include <vector>

// A status bar in the classic look: sunken panels side by side, or one
// simple panel across the whole bar, and a size grip in the bottom-right
// corner that resizes the window.
class TStatusBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DefaultHeight = 19;

    struct TStatusPanel
    {
        QString Text;
        int Width = 50;
        Qt::Alignment Alignment = Qt::AlignLeft;
    };

    explicit TStatusBar(QWidget *Parent = nullptr);

    int PanelCount() const { return static_cast<int>(m_panels.size()); }
    int AddPanel(int Width, const QString &Text = {});
    const TStatusPanel &Panel(int Index) const { return m_panels.at(static_cast<std::size_t>(Index)); }
    void SetPanelText(int Index, const QString &Text);
    void SetPanelWidth(int Index, int Width);
    void SetPanelAlignment(int Index, Qt::Alignment Alignment);

    bool SimplePanel() const { return m_simplePanel; }
    void SetSimplePanel(bool Simple);
    const QString &SimpleText() const { return m_simpleText; }
    void SetSimpleText(const QString &Text);
    bool SizeGrip() const { return m_sizeGrip; }
    // The font of the panel texts; the window's font by default.
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &Font);
    void SetSizeGrip(bool SizeGrip);

    // The sunken frame of a panel, in bar coordinates. Panels lie side by
    // side, each Width wide; the last one reaches to the grip (or the edge).
    QRect PanelRect(int Index) const;
    QRect SimplePanelRect() const;
    QRect GripRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;

private:
    bool ShowsGrip() const;

    std::vector<TStatusPanel> m_panels;
    bool m_simplePanel = false;
    QString m_simpleText;
    bool m_sizeGrip = true;
    TFont m_font;
};
