#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// A control showing a picture unscaled from its top-left corner: a picture
// larger than the control is clipped at the right and bottom, a smaller one
// leaves the rest of the control to the parent's background.
class TImage : public QWidget
{
    Q_OBJECT
    // The JPEG file or resource the layout names.
    Q_PROPERTY(QString PictureFile READ PictureFile WRITE LoadPicture)

public:
    explicit TImage(QWidget *parent = nullptr);

    const QImage &Picture() const { return m_picture; }
    void SetPicture(const QImage &picture);

    QString PictureFile() const { return m_pictureFile; }
    // Raises EJPEGError for a broken JPEG picture, and for a missing file.
    void LoadPicture(const QString &fileName);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QString m_pictureFile;
};
