#include "toolkit/controls/Image.h"

#include "toolkit/gdi/JpegImage.h"

#include <QPainter>

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{ }

void TImage::SetPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void TImage::LoadPicture(const QString &fileName)
{
    TJPEGImage jpeg;
    jpeg.LoadFromFile(fileName);
    m_pictureFile = fileName;
    SetPicture(jpeg.Image());
}

void TImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}
