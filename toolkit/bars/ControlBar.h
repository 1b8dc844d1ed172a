#pragma once

#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Colors.h"

#include <QWidget>

#include <functional>
#include <vector>

class TControlBar;

// What the control bar still draws of a band after its owner painted it.
enum TBandPaintOption : unsigned {
    bpoGrabber = 0x1,
    bpoFrame = 0x2,
};

struct TBandPaintOptions {
    unsigned Flags = 0;

    constexpr bool Contains(TBandPaintOption option) const { return (Flags & option) != 0; }
    friend constexpr bool operator==(const TBandPaintOptions &, const TBandPaintOptions &) = default;
};

// Asks the control bar's owner to paint the band that holds Control; the
// owner may change the rectangle the bar's own frame and grabber then use,
// and the options that say which of them are still drawn.
using TBandPaintEvent = std::function<void(TControlBar *sender, QWidget *control, TCanvas &canvas, TRect &rect,
                                           TBandPaintOptions &options)>;

// A bar of bands, one per control placed on it, each with a grabber at its
// left and a raised frame. Bands sit in rows of RowSize pixels, left to
// right in the order the controls were inserted, wrapping when a row is full.
class TControlBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int RowSize READ RowSize WRITE SetRowSize)

public:
    static constexpr int kDefaultRowSize = 26;
    // The part of a band left of its control.
    static constexpr int kGrabberWidth = 11;
    static constexpr TBandPaintOptions kDefaultOptions{bpoGrabber | bpoFrame};

    explicit TControlBar(QWidget *parent = nullptr);

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    // At least the height of one band frame; smaller values are ignored.
    int RowSize() const { return m_rowSize; }
    void SetRowSize(int rowSize);

    // Places control on the bar in a band of its own, after the others.
    void InsertControl(QWidget *control);
    int BandCount() const { return static_cast<int>(m_bands.size()); }
    // The control of a band; nullptr for an index out of range.
    QWidget *BandControl(int index) const;
    // The band of a control in the bar's coordinates; empty for a stranger.
    TRect BandRect(const QWidget *control) const;

    const TBandPaintEvent &OnBandPaint() const { return m_onBandPaint; }
    const void *OnBandPaintKey() const { return m_onBandPaintKey; }
    // The key names who installed the handler, so that it can be told apart
    // from others later.
    void SetOnBandPaint(TBandPaintEvent handler, const void *key = nullptr);

    // Places the bands again, for instance after a control changed its size.
    void Relayout();
    // Paints the bar and its bands onto image (its top-left corner at the bar's).
    void PaintOn(QImage &image);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    struct TBand {
        QWidget *control;
        TRect rect;
    };

    std::vector<TBand> m_bands;
    TColor m_color = clBtnFace;
    int m_rowSize = kDefaultRowSize;
    TBandPaintEvent m_onBandPaint;
    const void *m_onBandPaintKey = nullptr;
};
