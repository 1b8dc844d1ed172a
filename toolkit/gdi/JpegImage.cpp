#include "toolkit/gdi/JpegImage.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error through error_exit, which must not return:
// it jumps back to the decoder with the library's message.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

void ExitWithMessage(j_common_ptr info)
{
    auto *errors = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->escape, 1);
}

void IgnoreWarning(j_common_ptr, int) { }

struct DecodeResult {
    QImage image;
    int components = 0;
    bool progressive = false;
};

// Only plain C state lives in this frame across the jump; the image belongs
// to the caller, which drops it on failure.
bool Decode(const QByteArray &data, DecodeResult &result, char *message)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ExitWithMessage;
    errors.base.emit_message = IgnoreWarning;
    errors.message[0] = '\0';

    if (setjmp(errors.escape)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    result.components = info.num_components;
    result.progressive = jpeg_has_multiple_scans(&info);
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);

    result.image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = result.image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

void TJPEGImage::LoadFromData(const QByteArray &data)
{
    if (data.isEmpty())
        throw EJPEGError(QStringLiteral("JPEG error: empty picture"));
    DecodeResult result;
    char message[JMSG_LENGTH_MAX] = {};
    if (!Decode(data, result, message))
        throw EJPEGError(QStringLiteral("JPEG error: %1").arg(QString::fromLocal8Bit(message)));
    m_image = std::move(result.image);
    m_components = result.components;
    m_progressive = result.progressive;
}

void TJPEGImage::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EJPEGError(QStringLiteral("Cannot open the picture %1").arg(fileName));
    LoadFromData(file.readAll());
}
