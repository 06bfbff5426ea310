#include "qt/Pictures.h"

#include <QBitmap>
#include <QFileInfo>
#include <QImageReader>

#include "core/RuntimeError.h"
#include "qt/Colours.h"

namespace kelvora::qt {

QImage LoadPicture(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (path.empty() || !QFileInfo::exists(file)) core::RaiseError(core::kFileNotFound);
    QImageReader reader(file);
    // The name says nothing: a GIF renamed .bmp is still a GIF.
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull()) core::RaiseError(core::kInvalidPicture);
    return picture;
}

QImage ReadBuiltInImage(const QString& path, const char* format) {
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    Q_ASSERT(!image.isNull());
    return image;
}

QImage BuiltInPicture(core::ButtonFace face) {
    return ReadBuiltInImage(face == core::ButtonFace::Go
                                ? QStringLiteral(":/kelvora/builtin_go.gif")
                                : QStringLiteral(":/kelvora/builtin_stop.gif"),
                            "gif");
}

QPixmap MaskedPixmap(const QImage& picture) {
    QPixmap pixmap = QPixmap::fromImage(picture);
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    pixmap.setMask(
        QBitmap::fromImage(argb.createMaskFromColor(colours::kMask.rgb(), Qt::MaskInColor)));
    return pixmap;
}

}  // namespace kelvora::qt
