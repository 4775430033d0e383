// voltscope_screen_grab WINDOW OUT.png: saves an X window, named by its id as xwininfo prints
// it, as the display shows it. The Windows test uses it for its picture of the desktop tool
// running under Wine with Qt's real windows platform, on a virtual X display.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: voltscope_screen_grab WINDOW OUT.png\n");
        return 2;
    }
    // The display's own picture, whatever platform the environment names for tests.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    bool ok = false;
    const WId window = QString::fromLatin1(argv[1]).toULongLong(&ok, 0);
    const QPixmap shot = ok ? QGuiApplication::primaryScreen()->grabWindow(window) : QPixmap();
    if (shot.isNull()) {
        std::fprintf(stderr, "voltscope_screen_grab: no window %s on the display\n", argv[1]);
        return 1;
    }
    if (!shot.toImage()
             .convertToFormat(QImage::Format_RGB32)
             .save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "voltscope_screen_grab: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
