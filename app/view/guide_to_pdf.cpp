// Build-time helper: renders the user guide (Markdown) to the PDF the About box opens, with the
// pictures it names by file name taken from the first IMAGE_DIR that has them. A picture that
// is named but missing fails the build, so the guide never ships with a hole; without IMAGE_DIR
// (a build that makes no pictures) each picture is left out and its caption stays.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The document is laid out in pixels of a 96-dpi screen and scaled onto the page.
constexpr qreal kLayoutDpi = 96;
constexpr qreal kMarginMm = 18;
constexpr qreal kFooterPixels = 28;  // room for the page number under the text

struct ImageUse {
    int position;
    int length;  // more than 1 when an escape in the alt text made the reader repeat the picture
    QTextImageFormat format;
};

std::vector<ImageUse> ImagesOf(const QTextDocument& document) {
    std::vector<ImageUse> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat()) {
                continue;
            }
            const QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!images.empty() &&
                images.back().position + images.back().length == fragment.position() &&
                images.back().format.name() == format.name()) {
                images.back().length += fragment.length();
            } else {
                images.push_back({fragment.position(), fragment.length(), format});
            }
        }
    }
    return images;
}

// Loads each picture, sized to fit the text width (pictures made at a device pixel ratio of 2
// keep their sharpness in the PDF). False when one is missing.
bool PlaceImages(QTextDocument& document, const QStringList& imageDirs, qreal textWidth) {
    bool ok = true;
    // From the end, so that a picture replaced by its name leaves the earlier positions valid.
    const std::vector<ImageUse> images = ImagesOf(document);
    for (auto use = images.rbegin(); use != images.rend(); ++use) {
        const QString name = use->format.name();
        QTextCursor cursor(&document);
        cursor.setPosition(use->position);
        cursor.setPosition(use->position + 1, QTextCursor::KeepAnchor);
        if (use->length != 1) {
            std::fprintf(stderr, "guide_to_pdf: keep escapes out of the alt text of %s\n",
                         qPrintable(name));
            ok = false;
            continue;
        }
        if (imageDirs.isEmpty()) {
            cursor.insertText(QStringLiteral("[picture: %1]").arg(name));
            continue;
        }
        QImage image;
        for (const QString& dir : imageDirs) {
            if (image.load(QDir(dir).filePath(name))) {
                break;
            }
        }
        if (image.isNull()) {
            std::fprintf(stderr, "guide_to_pdf: no picture %s in %s\n", qPrintable(name),
                         qPrintable(imageDirs.join(QStringLiteral(", "))));
            ok = false;
            continue;
        }
        document.addResource(QTextDocument::ImageResource, QUrl(name), image);
        const double stored = image.text(QStringLiteral("DevicePixelRatio")).toDouble();
        const qreal ratio = stored > 0 ? stored : 1.0;
        const qreal width = std::min(image.width() / ratio, textWidth);
        QTextImageFormat format = use->format;
        format.setWidth(width);
        format.setHeight(width * image.height() / image.width());
        cursor.setCharFormat(format);
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: guide_to_pdf GUIDE.md OUT.pdf [IMAGE_DIR...]\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "guide_to_pdf: cannot read %s\n", argv[1]);
        return 1;
    }
    QStringList imageDirs;
    for (int i = 3; i < argc; ++i) {
        imageDirs << QString::fromLocal8Bit(argv[i]);
    }
    const QString target = QString::fromLocal8Bit(argv[2]);
    const QString temp = target + QStringLiteral(".tmp");

    QPdfWriter writer(temp);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(QStringLiteral("VoltScope 5 User Guide"));
    writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                          QPageLayout::Millimeter);
    const QRectF area = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal scale = writer.resolution() / kLayoutDpi;
    const QSizeF page(area.width() / scale, area.height() / scale - kFooterPixels);

    QTextDocument document;
    // "<MNTN>" in the guide is a caption, never markup: raw HTML would swallow the text after it.
    document.setMarkdown(QString::fromUtf8(in.readAll()),
                         QTextDocument::MarkdownFeatures(QTextDocument::MarkdownDialectGitHub |
                                                         QTextDocument::MarkdownNoHTML));
    document.setDocumentMargin(0);
    document.setPageSize(page);
    if (!PlaceImages(document, imageDirs, page.width())) {
        QFile::remove(temp);
        return 1;
    }

    {
        QPainter painter;
        if (!painter.begin(&writer)) {
            std::fprintf(stderr, "guide_to_pdf: cannot write %s\n", qPrintable(temp));
            return 1;
        }
        painter.scale(scale, scale);
        // In layout pixels, as the document's own text.
        QFont footer = document.defaultFont();
        footer.setPixelSize(12);
        painter.setFont(footer);
        const int pages = document.pageCount();
        for (int i = 0; i < pages; ++i) {
            if (i > 0) {
                writer.newPage();
            }
            painter.save();
            painter.translate(0, -i * page.height());
            document.drawContents(&painter,
                                  QRectF(0, i * page.height(), page.width(), page.height()));
            painter.restore();
            painter.drawText(QRectF(0, page.height(), page.width(), kFooterPixels),
                             Qt::AlignRight | Qt::AlignBottom, QString::number(i + 1));
        }
    }
    QFile::remove(target);
    if (!QFile::rename(temp, target)) {
        std::fprintf(stderr, "guide_to_pdf: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
