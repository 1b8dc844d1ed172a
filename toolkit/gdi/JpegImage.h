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

    bool Empty() const { return image_.isNull(); }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    // The number of colour components of the last stream decoded.
    int Components() const { return components_; }
    bool Progressive() const { return progressive_; }

    // The decoded picture, 32 bits per pixel.
    const QImage &Image() const { return image_; }

private:
    QImage image_;
    int components_ = 0;
    bool progressive_ = false;
};

class EJPEGError : public std::exception
{
public:
    explicit EJPEGError(const QString &message)
        : message_(message.toUtf8())
    {
    }
    const char *what() const noexcept override { return message_.constData(); }

private:
    QByteArray message_;
};
