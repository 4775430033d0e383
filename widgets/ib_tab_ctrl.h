#pragma once
// The tab control that holds the pages: one page shown at a time, the others hidden, so each
// page sees the show and hide notifications it relies on.
#include <QTabWidget>

class CIbTabCtrl : public QTabWidget {
    Q_OBJECT
  public:
    explicit CIbTabCtrl(QWidget* parent = nullptr);

    // Appends a tab; the control takes the page window.
    void AddPage(const QString& caption, QWidget* page);
    // Shows the page at `index`; an invalid index changes nothing.
    void ShowPage(int index);
    // Destroys the page window; ignored unless 0 <= index < PageCount().
    void RemovePage(int index);
    void RemoveAllPages();
    int PageCount() const { return count(); }
    int Current() const { return currentIndex(); }
};
