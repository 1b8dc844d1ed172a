#include "toolkit/gdi/Font.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <QtEndian>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kProbePixelSize = 64;
const char *const kDefaultFontDirectory = "/usr/share/wine/fonts";
// The scalable face that stands in for a raster face at sizes its strikes
// do not have; it shares the raster faces' proportions and Cyrillic.
const char *const kScalableFace = "Tahoma";
constexpr int kNormalStretch = 100;
const char *const kWidthSamples[] = {
    "по № телефона:", "по фамилии:", "по улице:", "по дому:", "по корпусу:", "по квартире:", "по названию организации:",
    "Условия поиска", "Найти",       "Отмена",    "Фёдорова", "Жуковский",   "Организация"};

// Offsets of the fields read from the font's tables.
constexpr int kOs2AverageWidthOffset = 2;
constexpr int kOs2WinAscentOffset = 74;
constexpr int kOs2WinDescentOffset = 76;
constexpr int kHheaAscenderOffset = 4;
constexpr int kHheaDescenderOffset = 6;
constexpr int kHheaLineGapOffset = 8;
constexpr int kHeadUnitsPerEmOffset = 18;

// A face's Windows metrics in font units.
struct FaceMetrics {
    bool valid = false;
    double unitsPerEm = 0;
    int winAscent = 0;
    int winDescent = 0;
    int averageWidth = 0;
    int hheaAscender = 0;
    int hheaDescender = 0;
    int hheaLineGap = 0;

    // A converted raster face carries no internal leading in its design
    // (ascent plus descent fill the em square); the platform sizes such a
    // face by its character height, the ascent.
    bool IsRasterFace() const { return winAscent + winDescent == int(unitsPerEm); }
};

int MulDiv(int number, int numerator, int denominator)
{
    return int(std::lround(double(number) * numerator / denominator));
}

quint16 ReadU16(const QByteArray &table, int offset)
{
    if (offset + 2 > table.size())
        return 0;
    return qFromBigEndian<quint16>(table.constData() + offset);
}

qint16 ReadS16(const QByteArray &table, int offset)
{
    return qint16(ReadU16(table, offset));
}

QFont BaseQFont(const QString &name, TFontStyles style, int pixelSize)
{
    QFont f(name);
    f.setPixelSize(pixelSize < 1 ? 1 : pixelSize);
    f.setBold(style & fsBold);
    f.setItalic(style & fsItalic);
    f.setUnderline(style & fsUnderline);
    f.setStrikeOut(style & fsStrikeOut);
    f.setKerning(false);
    // Glyphs are drawn in one colour without antialiasing, as the classic
    // platform draws them, so that every run paints the same pixels.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// Scaled glyphs are smoothed: one-colour outlines at sizes between the
// pixels' steps come out with stems one or two pixels wide from word to word.
QFont Smoothed(QFont font)
{
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

QHash<QString, FaceMetrics> &FaceCache()
{
    static QHash<QString, FaceMetrics> cache;
    return cache;
}

// The text metrics of each font a program draws with, by face, style and
// pixel size: asking Qt for them resolves the font every time, and a grid
// asks for every cell it paints.
QHash<QString, TTextMetric> &TextMetricCache()
{
    static QHash<QString, TTextMetric> cache;
    return cache;
}

const FaceMetrics &MetricsOfFace(const QString &name, TFontStyles style)
{
    QHash<QString, FaceMetrics> &cache = FaceCache();
    const QString key = name + QLatin1Char('/') + QString::number(style & (fsBold | fsItalic));
    auto it = cache.find(key);
    if (it != cache.end())
        return *it;
    FaceMetrics m;
    const QRawFont raw = QRawFont::fromFont(BaseQFont(name, style, kProbePixelSize));
    const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
    const QByteArray hhea = raw.isValid() ? raw.fontTable("hhea") : QByteArray();
    const QByteArray head = raw.isValid() ? raw.fontTable("head") : QByteArray();
    // The em square comes from the head table: Qt answers a strike's pixel
    // size for faces with embedded bitmaps.
    const int unitsPerEm = ReadU16(head, kHeadUnitsPerEmOffset);
    if (os2.size() >= kOs2WinDescentOffset + 2 && unitsPerEm > 0) {
        m.valid = true;
        m.unitsPerEm = unitsPerEm;
        m.winAscent = ReadU16(os2, kOs2WinAscentOffset);
        m.winDescent = ReadU16(os2, kOs2WinDescentOffset);
        m.averageWidth = ReadS16(os2, kOs2AverageWidthOffset);
        m.hheaAscender = ReadS16(hhea, kHheaAscenderOffset);
        m.hheaDescender = ReadS16(hhea, kHheaDescenderOffset);
        m.hheaLineGap = ReadS16(hhea, kHheaLineGapOffset);
    }
    return *cache.insert(key, m);
}

int Scale(int units, int pixelSize, double unitsPerEm)
{
    return int(std::lround(units * pixelSize / unitsPerEm));
}

} // namespace

TFont::TFont()
    : m_name(QStringLiteral("MS Sans Serif"))
    , m_height(-11)
    , m_charset(DEFAULT_CHARSET)
    , m_color(clWindowText)
    , m_style(0)
    , m_pitch(fpDefault)
{ }

TFont::TFont(const TFont &other)
    : m_name(other.m_name)
    , m_height(other.m_height)
    , m_charset(other.m_charset)
    , m_color(other.m_color)
    , m_style(other.m_style)
    , m_pitch(other.m_pitch)
{ }

TFont &TFont::operator=(const TFont &other)
{
    if (this != &other)
        Assign(other);
    return *this;
}

void TFont::Assign(const TFont &other)
{
    if (SameAs(other))
        return;
    m_name = other.m_name;
    m_height = other.m_height;
    m_charset = other.m_charset;
    m_color = other.m_color;
    m_style = other.m_style;
    m_pitch = other.m_pitch;
    Changed();
}

bool TFont::SameAs(const TFont &other) const
{
    return m_name == other.m_name && m_height == other.m_height && m_charset == other.m_charset
           && m_color == other.m_color && m_style == other.m_style && m_pitch == other.m_pitch;
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

void TFont::SetName(const QString &name)
{
    if (name.isEmpty() || name == m_name)
        return;
    m_name = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == m_height)
        return;
    m_height = height;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(m_height, kPointsPerInch, kScreenPixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, kScreenPixelsPerInch, kPointsPerInch));
}

void TFont::SetCharset(int charset)
{
    if (charset == m_charset)
        return;
    m_charset = charset;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch == m_pitch)
        return;
    m_pitch = pitch;
    Changed();
}

int TFont::PixelSize() const
{
    const FaceMetrics &face = MetricsOfFace(m_name, m_style);
    if (m_height == 0)
        return -TFont().Height();
    if (!face.valid)
        return std::abs(m_height);
    if (m_height < 0) {
        const int characterHeight = -m_height;
        if (face.IsRasterFace() && face.winAscent > 0)
            return std::max(1, int(std::lround(characterHeight * face.unitsPerEm / face.winAscent)));
        return characterHeight;
    }
    const int cell = face.winAscent + face.winDescent;
    return cell > 0 ? std::max(1, int(std::lround(m_height * face.unitsPerEm / cell))) : m_height;
}

QFont TFont::ToQFont() const
{
    return BaseQFont(m_name, m_style, PixelSize());
}

QFont TFont::ToDeviceQFont(double ratio) const
{
    if (ratio == 1.0)
        return ToQFont();
    const TFont drawn = Scalable();
    return Smoothed(BaseQFont(drawn.m_name, m_style, int(std::lround(drawn.PixelSize() * ratio))));
}

QFont TFont::ToScreenQFont(double ratio) const
{
    if (ratio == 1.0)
        return ToQFont();
    const TFont drawn = Scalable();
    QFont font = Smoothed(BaseQFont(drawn.m_name, m_style, drawn.PixelSize()));
    if (drawn.m_name == m_name)
        return font;
    // Qt lays such a widget's text out in the stand-in's own widths: it is
    // narrowed until no word of the directory's texts is wider than in the
    // raster face, so that labels sized to their text keep it whole.
    const QFontMetricsF raster(ToQFont()), standIn(font);
    double narrowing = 1.0;
    for (const char *sample : kWidthSamples) {
        const QString word = QString::fromUtf8(sample);
        const double standInWidth = standIn.horizontalAdvance(word);
        if (standInWidth > 0)
            narrowing = std::min(narrowing, raster.horizontalAdvance(word) / standInWidth);
    }
    if (narrowing < 1.0)
        font.setStretch(int(std::floor(kNormalStretch * narrowing)));
    return font;
}

TFont TFont::Scalable() const
{
    TFont scalable(*this);
    const FaceMetrics &face = MetricsOfFace(m_name, m_style);
    if (face.valid && face.IsRasterFace())
        scalable.m_name = QLatin1String(kScalableFace);
    return scalable;
}

TTextMetric TFont::Metrics() const
{
    const int em = PixelSize();
    const QString key = m_name + QLatin1Char('/') + QString::number(m_style) + QLatin1Char('/') + QString::number(em);
    QHash<QString, TTextMetric> &cache = TextMetricCache();
    if (const auto known = cache.constFind(key); known != cache.constEnd())
        return *known;
    const QFont qfont = BaseQFont(m_name, m_style, em);
    const QFontMetrics fm(qfont);
    const FaceMetrics &face = MetricsOfFace(m_name, m_style);
    TTextMetric tm;
    if (face.valid) {
        tm.Ascent = Scale(face.winAscent, em, face.unitsPerEm);
        tm.Descent = Scale(face.winDescent, em, face.unitsPerEm);
        tm.AveCharWidth = Scale(face.averageWidth, em, face.unitsPerEm);
        const int typoExtent = face.hheaAscender - face.hheaDescender;
        const int gap = face.hheaLineGap - ((face.winAscent + face.winDescent) - typoExtent);
        tm.ExternalLeading = std::max(0, Scale(gap, em, face.unitsPerEm));
    } else {
        tm.Ascent = fm.ascent();
        tm.Descent = fm.descent();
        tm.AveCharWidth = fm.averageCharWidth();
        tm.ExternalLeading = std::max(0, fm.leading());
    }
    tm.Height = tm.Ascent + tm.Descent;
    const int characterHeight = face.valid && face.IsRasterFace() ? tm.Ascent : em;
    tm.InternalLeading = std::max(0, tm.Height - characterHeight);
    tm.MaxCharWidth = fm.maxWidth();
    cache.insert(key, tm);
    return tm;
}

bool RegisterBundledFonts(const QString &fontDirectory)
{
    static bool registered = false;
    static bool complete = false;
    if (registered)
        return complete;
    registered = true;
    // Faces measured before registration may have been substitutes.
    FaceCache().clear();
    TextMetricCache().clear();

    QString directory = fontDirectory;
    if (directory.isEmpty())
        directory = qEnvironmentVariableIsSet("VELIRSK_FONT_DIR") ? qEnvironmentVariable("VELIRSK_FONT_DIR")
                                                                  : QString::fromLatin1(kDefaultFontDirectory);
    struct Bundled {
        const char *file;
        const char *family;
    };
    const Bundled fonts[] = {
        {"tahoma.ttf", "Tahoma"}, {"tahomabd.ttf", "Tahoma"}, {"ms_sans_serif.ttf", "MS Sans Serif"}};
    complete = true;
    for (const Bundled &font : fonts) {
        const QString path = directory + QLatin1Char('/') + QLatin1String(font.file);
        const bool present = QFileInfo::exists(path) && QFontDatabase::addApplicationFont(path) >= 0;
        if (!present) {
            complete = false;
            std::fprintf(stderr,
                         "velirsk: font file %s is missing or unreadable (install the fonts-wine package); "
                         "\"%s\" is drawn with a substitute sans-serif font.\n",
                         qPrintable(path), font.family);
            QFont::insertSubstitution(QLatin1String(font.family), QStringLiteral("DejaVu Sans"));
        }
    }
    return complete;
}
