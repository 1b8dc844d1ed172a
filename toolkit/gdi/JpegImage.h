#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A JPEG picture decoded with libjpeg: baseline or progressive, grey or
// three-component colour.
class TJPEGImage
{
public:
    // Decodes the data; a broken or foreign stream raises EJPEGError and
    // leaves the picture as it was.
    void LoadFromData(const QByteArray &data);
    // Reads and decodes a file or a resource (":/...").
    void LoadFromFile(const QString &fileName);

    bool Empty() const { return m_image.isNull(); }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // The number of colour components of the last stream decoded.
    int Components() const { return m_components; }
    bool Progressive() const { return m_progressive; }

    // The decoded picture, 32 bits per pixel.
    const QImage &Image() const { return m_image; }

private:
    QImage m_image;
    int m_components = 0;
    bool m_progressive = false;
};

class EJPEGError : public std::exception
{
public:
    explicit EJPEGError(const QString &message)
        : m_message(message.toUtf8())
    { }
    const char *what() const noexcept override { return m_message.constData(); }

private:
    QByteArray m_message;
};
