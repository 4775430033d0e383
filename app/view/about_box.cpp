#include "app/view/about_box.h"

#include <QCoreApplication>
#include <QPixmap>

#include "app/help_documents.h"
#include "ui_about_box.h"

AboutBox::AboutBox(UserPrompts& prompts, QWidget* parent) : QDialog(parent) {
    Ui::AboutBoxForm ui;
    ui.setupUi(this);
    ui.IDC_ABOUT_ICON->setPixmap(QPixmap(QStringLiteral(":/voltscope.xpm")));
    auto beside = [](const char* document) {
        return DocumentBesideProgram(QCoreApplication::applicationFilePath().toStdString(),
                                     document);
    };
    connect(ui.IDC_USER_GUIDE, &QPushButton::clicked, this,
            [&prompts, beside] { prompts.OpenDocument(beside(kUserGuideFile)); });
    connect(ui.IDC_VERSION_INFO, &QPushButton::clicked, this,
            [&prompts, beside] { prompts.OpenDocument(beside(kVersionInfoFile)); });
    connect(ui.IDC_UPDATES, &QPushButton::clicked, this,
            [&prompts] { prompts.OpenDocument(kUpdatesUrl); });
    connect(ui.IDOK, &QPushButton::clicked, this, &QDialog::accept);
}
