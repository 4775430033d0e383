#include "app/view/form_binder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>

#include "widgets/colour_edit.h"

namespace {

QStringList ToQt(const std::vector<std::string>& items) {
    QStringList list;
    for (const auto& item : items) {
        list << QString::fromStdString(item);
    }
    return list;
}

void FillCombo(QComboBox* combo, const ControlState& state) {
    QStringList items = ToQt(state.items);
    QStringList current;
    for (int i = 0; i < combo->count(); ++i) {
        current << combo->itemText(i);
    }
    if (current != items) {
        combo->clear();
        combo->addItems(items);
    }
    combo->setCurrentIndex(state.selected < combo->count() ? state.selected : -1);
}

}  // namespace

FormBinder::FormBinder(FormModel& form, QWidget* root, std::vector<ControlName> names,
                       FormHandlers handlers)
    : QObject(root), form_(form), handlers_(std::move(handlers)) {
    for (const ControlName& name : names) {
        Bind(name.id, root->findChild<QWidget*>(QString::fromLatin1(name.resourceName)));
    }
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const int id = IdOfObjectName(widget->objectName());
        if (id >= 0 && Widget(id) == nullptr) {
            Bind(id, widget);
        }
    }
    form_.SetChangeListener([this] { Refresh(); });
}

FormBinder::FormBinder(FormModel& form, QWidget* root, std::vector<ControlName> names,
                       std::function<void(int)> onSelection, std::function<void(int)> onCommand)
    : FormBinder(form, root, std::move(names),
                 FormHandlers{std::move(onSelection), std::move(onCommand), {}, {}}) {}

int FormBinder::IdOfObjectName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^id(\\d{1,6})(_\\w*)?$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

void FormBinder::Bind(int id, QWidget* widget) {
    if (widget != nullptr) {
        widgets_.emplace_back(id, widget);
        Connect(id, widget);
    }
}

FormBinder::~FormBinder() {
    form_.SetChangeListener(nullptr);
}

QWidget* FormBinder::Widget(int id) const {
    for (const auto& [wid, widget] : widgets_) {
        if (wid == id) {
            return widget;
        }
    }
    return nullptr;
}

void FormBinder::Connect(int id, QWidget* widget) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, &QComboBox::activated, this, [this, id, combo](int index) {
            if (refreshing_) {
                return;
            }
            ControlState& state = form_[id];
            state.selected = index;
            state.text = combo->itemText(index).toStdString();
            if (handlers_.onSelection) {
                handlers_.onSelection(id);
            }
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        // The click is the page's command; the form holds the box's new state first.
        connect(check, &QCheckBox::clicked, this, [this, id](bool checked) {
            form_[id].selected = checked ? 1 : 0;
            if (handlers_.onCommand) {
                handlers_.onCommand(id);
            }
        });
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, id] {
            if (handlers_.onCommand) {
                handlers_.onCommand(id);
            }
        });
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
            form_[id].text = text.toStdString();
            if (handlers_.onEdit) {
                handlers_.onEdit(id);
            }
        });
    }
}

void FormBinder::Refresh() {
    refreshing_ = true;
    for (const auto& [id, widget] : widgets_) {
        const ControlState& state = form_[id];
        // What the behaviour never set stays as the form made it.
        if (state.enabled.IsSet()) {
            widget->setEnabled(state.enabled.Value());
        }
        if (state.visible.IsSet()) {
            widget->setVisible(state.visible.Value());
        }
        if (handlers_.toolTip) {
            widget->setToolTip(QString::fromStdString(handlers_.toolTip(id)));
        }
        const QString caption =
            state.caption.IsSet() ? QString::fromStdString(state.caption.Value()) : QString();
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            FillCombo(combo, state);
        } else if (auto* colour = qobject_cast<ColourEdit*>(widget)) {
            colour->setText(QString::fromStdString(state.text));
            if (state.background.IsSet()) {
                const Rgb& c = state.background.Value();
                const QColor background(c.r, c.g, c.b);
                colour->SetBackgroundColour(background);
                // Dark text is lost on the blue of an acknowledged alert.
                colour->SetTextColour(background.lightness() < 140 ? Qt::white : Qt::black);
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            // Setting the same text again would move the cursor of someone typing.
            const QString text = QString::fromStdString(state.text);
            if (edit->text() != text) {
                edit->setText(text);
            }
            if (state.readOnly.IsSet()) {
                edit->setReadOnly(state.readOnly.Value());
            }
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            check->setChecked(state.selected == 1);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (state.caption.IsSet()) {
                button->setText(caption);
            }
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            if (state.caption.IsSet()) {
                group->setTitle(caption);
            }
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (state.caption.IsSet()) {
                label->setText(caption);
            } else if (!state.text.empty() || !label->text().isEmpty()) {
                // A label without a caption of its own shows the control's text (status line).
                label->setText(QString::fromStdString(state.text));
            }
        }
    }
    refreshing_ = false;
}
