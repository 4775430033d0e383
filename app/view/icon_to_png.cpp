// Build-time helper: renders the program's icon at the sizes the desktop's icon theme asks for,
// or as the Windows icon file (.ico) of the program and its installer.
//   icon_to_png ICON.xpm SIZE OUT.png
//   icon_to_png ICON.xpm ico OUT.ico
// Whole multiples of the drawn size keep its pixels square and sharp; other sizes are smoothed.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QSaveFile>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

QImage Scaled(const QImage& icon, int size) {
    const bool whole = size % icon.width() == 0 && size % icon.height() == 0;
    return icon
        .scaled(size, size, Qt::IgnoreAspectRatio,
                whole ? Qt::FastTransformation : Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

void Append16(QByteArray& out, int value) {
    const auto v = qToLittleEndian(static_cast<quint16>(value));
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

void Append32(QByteArray& out, qint64 value) {
    const auto v = qToLittleEndian(static_cast<quint32>(value));
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

// One image of an icon file as Windows has always read it: a 32-bit bitmap, bottom row first,
// with its (unused, all-clear) one-bit mask.
QByteArray Bitmap(const QImage& image) {
    QByteArray out;
    const int size = image.width();
    Append32(out, 40);        // the header's size
    Append32(out, size);      // width
    Append32(out, 2 * size);  // height: the colours and the mask
    Append16(out, 1);         // planes
    Append16(out, 32);        // bits per pixel
    for (int i = 0; i < 6; ++i) {
        Append32(out, 0);  // no compression, sizes and palette left to the reader
    }
    for (int y = size - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            Append32(out, static_cast<qint64>(line[x]));  // ARGB read little-endian: B G R A
        }
    }
    const int maskRow = ((size + 31) / 32) * 4;
    out.append(QByteArray(maskRow * size, '\0'));
    return out;
}

// The icon at the sizes Windows shows it: 16 to 64 as bitmaps, 256 as PNG (as Windows expects
// the large one).
QByteArray IconFile(const QImage& icon) {
    const int sizes[] = {16, 24, 32, 48, 64, 256};
    std::vector<QByteArray> images;
    for (int size : sizes) {
        const QImage image = Scaled(icon, size);
        if (size < 256) {
            images.push_back(Bitmap(image));
        } else {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            images.push_back(png);
        }
    }
    QByteArray out;
    Append16(out, 0);  // reserved
    Append16(out, 1);  // an icon
    Append16(out, static_cast<int>(images.size()));
    qint64 offset = 6 + 16 * static_cast<qint64>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = sizes[i];
        out.append(static_cast<char>(size % 256));  // 256 is written 0
        out.append(static_cast<char>(size % 256));
        out.append('\0');   // no palette
        out.append('\0');   // reserved
        Append16(out, 1);   // planes
        Append16(out, 32);  // bits per pixel
        Append32(out, images[i].size());
        Append32(out, offset);
        offset += images[i].size();
    }
    for (const QByteArray& image : images) {
        out.append(image);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(
            stderr,
            "usage: icon_to_png ICON.xpm SIZE OUT.png | icon_to_png ICON.xpm ico OUT.ico\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    const bool ico = std::strcmp(argv[2], "ico") == 0;
    const int size = std::atoi(argv[2]);
    if (icon.isNull() || (!ico && size <= 0)) {
        std::fprintf(stderr, "icon_to_png: cannot read %s or size %s\n", argv[1], argv[2]);
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[3]);
    bool written = false;
    if (ico) {
        QSaveFile file(out);
        written =
            file.open(QIODevice::WriteOnly) && file.write(IconFile(icon)) >= 0 && file.commit();
    } else {
        written = Scaled(icon, size).save(out, "PNG");
    }
    if (!written) {
        std::fprintf(stderr, "icon_to_png: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
