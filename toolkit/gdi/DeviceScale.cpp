#include "toolkit/gdi/DeviceScale.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

// The finest fraction a scale is written with: every scale a screen
// offers in steps of an eighth (1.25, 1.5, 1.75, 2 ...) and thirds too.
constexpr int kLargestDenominator = 12;

long long FloorDivide(long long value, long long divisor)
{
    const long long quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

} // namespace

TDeviceScale TDeviceScale::FromRatio(double ratio)
{
    TDeviceScale scale;
    if (!(ratio > 0) || std::abs(ratio - 1.0) < 1e-6)
        return scale;
    double bestError = 1.0;
    for (int denominator = 1; denominator <= kLargestDenominator; ++denominator) {
        const int numerator = std::max(1, int(std::lround(ratio * denominator)));
        const double error = std::abs(double(numerator) / denominator - ratio);
        if (error + 1e-9 < bestError) {
            bestError = error;
            scale.m_numerator = numerator;
            scale.m_denominator = denominator;
        }
    }
    return scale;
}

int TDeviceScale::Floor(long long value) const
{
    return int(FloorDivide(value * m_numerator, m_denominator));
}

int TDeviceScale::Edge(int logical, int logicalExtent, int deviceExtent) const
{
    if (IsUnit())
        return logical;
    if (logical < logicalExtent)
        return Floor(logical);
    return deviceExtent + Floor(logical - logicalExtent);
}

int TDeviceScale::LogicalOf(int device, int logicalExtent, int deviceExtent) const
{
    if (IsUnit())
        return device;
    if (device >= deviceExtent)
        return logicalExtent
               + int(FloorDivide((long long)(device - deviceExtent + 1) * m_denominator - 1, m_numerator));
    const int logical = int(FloorDivide((long long)(device + 1) * m_denominator - 1, m_numerator));
    return std::min(logical, logicalExtent - 1);
}

int TDeviceScale::DeviceExtent(int logical) const
{
    return int(-FloorDivide(-(long long)logical * m_numerator, m_denominator));
}

int TDeviceScale::LogicalExtent(int device) const
{
    return int(FloorDivide((long long)device * m_denominator, m_numerator));
}

TDeviceScale DeviceScaleOf(const QWidget &widget)
{
    return TDeviceScale::FromRatio(widget.devicePixelRatioF());
}

QImage ScaledSurface(const TDeviceScale &scale, QSize logical, QImage::Format format)
{
    QImage image(scale.DeviceExtent(std::max(0, logical.width())), scale.DeviceExtent(std::max(0, logical.height())),
                 format);
    image.setDevicePixelRatio(scale.Ratio());
    return image;
}

QImage WidgetSurface(const QWidget &widget, QSize logical, QImage::Format format)
{
    return ScaledSurface(DeviceScaleOf(widget), logical, format);
}
