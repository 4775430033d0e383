#pragma once
// A read-only edit field painted with a chosen background colour (status and mode fields,
// the connection indicator).
#include <QColor>
#include <QLineEdit>

class ColourEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit ColourEdit(QWidget* parent = nullptr);
    void SetBackgroundColour(const QColor& colour);
    void SetTextColour(const QColor& colour);
    QColor BackgroundColour() const { return background_; }

  private:
    void ApplyPalette();

    QColor text_ = Qt::black;
    QColor background_ = Qt::white;
};
