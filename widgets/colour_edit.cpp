#include "widgets/colour_edit.h"

#include <QPalette>

ColourEdit::ColourEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    // The palette alone is ignored by some styles for read-only fields; fill it ourselves.
    setAutoFillBackground(true);
    ApplyPalette();
}

void ColourEdit::SetBackgroundColour(const QColor& colour) {
    background_ = colour;
    ApplyPalette();
}

void ColourEdit::SetTextColour(const QColor& colour) {
    text_ = colour;
    ApplyPalette();
}

void ColourEdit::ApplyPalette() {
    QPalette p = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, background_);
        p.setColor(group, QPalette::Window, background_);
        p.setColor(group, QPalette::Text, text_);
    }
    setPalette(p);
    setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; color: %2; }")
                      .arg(background_.name(), text_.name()));
    update();
}
