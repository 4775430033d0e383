// Build-time helper: renders the program's icon at the sizes the desktop's icon theme asks for.
// Whole multiples of the drawn size keep its pixels square and sharp; other sizes are smoothed.
#include <QImage>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: icon_to_png ICON.xpm SIZE OUT.png\n");
        return 2;
    }
    QImage icon(QString::fromLocal8Bit(argv[1]));
    const int size = std::atoi(argv[2]);
    if (icon.isNull() || size <= 0) {
        std::fprintf(stderr, "icon_to_png: cannot read %s or size %s\n", argv[1], argv[2]);
        return 1;
    }
    const bool whole = size % icon.width() == 0 && size % icon.height() == 0;
    const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio,
                                      whole ? Qt::FastTransformation : Qt::SmoothTransformation);
    if (!scaled.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "icon_to_png: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
