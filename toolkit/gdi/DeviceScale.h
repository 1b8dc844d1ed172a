#pragma once

#include <QImage>
#include <QSize>

class QWidget;

// How the logical pixels that every drawing rule speaks of lie on the
// device's pixels when the screen is scaled. The scale is kept as a
// fraction of small integers so that the mapping is exact: logical
// column x covers the device columns [Edge(x), Edge(x + 1)). At 1.5 the
// logical pixels are alternately one and two device pixels wide; every
// figure, fill and copy scales this way, so lines and frames stay as
// even as the device allows, while text is drawn at the device's own
// resolution.
class TDeviceScale
{
public:
    // The unit scale, under which logical and device pixels coincide.
    TDeviceScale() = default;
    static TDeviceScale FromRatio(double ratio);

    bool IsUnit() const { return m_numerator == m_denominator; }
    double Ratio() const { return double(m_numerator) / m_denominator; }

    // The first device pixel of logical pixel `logical` along an axis
    // `logicalExtent` pixels long and `deviceExtent` device pixels long;
    // the axis's end lands exactly on the device's end, so the last
    // logical pixel takes whatever remains of the device.
    int Edge(int logical, int logicalExtent, int deviceExtent) const;
    // The logical pixel that holds device pixel `device`.
    int LogicalOf(int device, int logicalExtent, int deviceExtent) const;
    // The device pixels of `logical` pixels, and the logical pixels a
    // device extent holds.
    int DeviceExtent(int logical) const;
    int LogicalExtent(int device) const;

private:
    int Floor(long long value) const;

    int m_numerator = 1;
    int m_denominator = 1;
};

// One axis of a scaled surface: its length in logical and device pixels.
struct TScaledAxis {
    TDeviceScale scale;
    int logicalExtent = 0;
    int deviceExtent = 0;

    int Edge(int logical) const { return scale.Edge(logical, logicalExtent, deviceExtent); }
    int LogicalOf(int device) const { return scale.LogicalOf(device, logicalExtent, deviceExtent); }
};

// The scale of the screen a widget shows on.
TDeviceScale DeviceScaleOf(const QWidget &widget);

// An RGB32 image for painting `logical` pixels of a widget on its screen:
// as many device pixels as the screen's scale gives, with that scale as
// its device pixel ratio, so that a canvas over it draws at the device's
// resolution and QPainter::drawImage copies it one to one.
QImage WidgetSurface(const QWidget &widget, QSize logical, QImage::Format format = QImage::Format_RGB32);
QImage ScaledSurface(const TDeviceScale &scale, QSize logical, QImage::Format format = QImage::Format_RGB32);
