#include "qt/Pictures.h"

#include <QBitmap>
#include <QBuffer>
#include <QImageReader>

#include "core/RuntimeError.h"
#include "platform/posix/RegularFile.h"
#include "qt/Colours.h"

namespace kelvora::qt {

namespace {

// Far beyond any picture a button shows; as much as Qt allows a decoded one.
constexpr std::size_t kMaxPictureBytes = std::size_t{256} << 20;

}  // namespace

QImage LoadPicture(const std::string& path) {
    // Read here rather than by Qt, which would wait at a FIFO in the file's place.
    const platform::FileBytes file = platform::ReadRegularFile(path, kMaxPictureBytes);
    if (file.state == platform::FileState::Missing) core::RaiseError(core::kFileNotFound);
    QByteArray bytes = QByteArray::fromRawData(file.bytes.data(), qsizetype(file.bytes.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // Without a name the format comes from the contents: a GIF renamed .bmp is still a GIF.
    const QImage picture = QImageReader(&buffer).read();
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
