#pragma once

#include <QRgb>
#include <QVector>

// The colours a canvas may write: every colour becomes the nearest entry of
// the palette (by squared RGB distance, the first of equals winning), or
// stays as it is when the palette is empty. Written colours are opaque.
class TPaletteMap
{
public:
    const QVector<QRgb> &Entries() const { return m_entries; }
    void SetEntries(const QVector<QRgb> &palette);

    // Black and white, in that order: the palette of a 1-bit bitmap.
    bool IsMonochrome() const;

    // Called for every pixel written, so the unlimited case stays inline.
    QRgb Map(QRgb rgb) const
    {
        rgb |= kOpaqueAlpha;
        return m_entries.isEmpty() ? rgb : Nearest(rgb);
    }

private:
    static constexpr QRgb kOpaqueAlpha = 0xFF000000;

    // Runs of one colour are the rule, so the last answer is kept.
    QRgb Nearest(QRgb rgb) const;

    QVector<QRgb> m_entries;
    mutable QRgb m_lastAsked = 0;
    mutable QRgb m_lastAnswer = 0;
    mutable bool m_cached = false;
};
