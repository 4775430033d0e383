// Build-time helper: renders the user guide (Markdown) to the PDF the About box opens.
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: guide_to_pdf GUIDE.md OUT.pdf\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "guide_to_pdf: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(in.readAll()));
    QString temp = QString::fromLocal8Bit(argv[2]) + QStringLiteral(".tmp");
    {
        QPdfWriter writer(temp);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(QStringLiteral("VoltScope 5 User Guide"));
        writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        document.print(&writer);
    }
    QFile::remove(QString::fromLocal8Bit(argv[2]));
    if (!QFile::rename(temp, QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "guide_to_pdf: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
