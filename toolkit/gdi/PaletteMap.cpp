#include "toolkit/gdi/PaletteMap.h"

#include "toolkit/gdi/ColorValue.h"

namespace {

int ColorDistance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

void TPaletteMap::SetEntries(const QVector<QRgb> &palette)
{
    m_entries.clear();
    for (QRgb entry : palette)
        m_entries.push_back(entry | kOpaqueAlpha);
    m_cached = false;
}

bool TPaletteMap::IsMonochrome() const
{
    return m_entries.size() == 2 && (m_entries[0] & kRgbBits) == 0 && (m_entries[1] & kRgbBits) == kRgbBits;
}

QRgb TPaletteMap::Nearest(QRgb rgb) const
{
    if (m_cached && m_lastAsked == rgb)
        return m_lastAnswer;
    QRgb best = m_entries.front();
    int bestDistance = ColorDistance(rgb, best);
    for (QRgb entry : m_entries) {
        const int d = ColorDistance(rgb, entry);
        if (d < bestDistance) {
            best = entry;
            bestDistance = d;
        }
    }
    m_lastAsked = rgb;
    m_lastAnswer = best;
    m_cached = true;
    return best;
}
