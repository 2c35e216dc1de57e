#pragma once

#include <QDialog>

class QHBoxLayout;
class QPushButton;
class QTabWidget;

namespace nimbara {

class TPropertyPage;

// A sheet of tabbed pages with OK and Cancel at the bottom right. It has no Apply button: the
// program's sheets show properties and apply nothing. OK, Enter, Cancel, Esc and the close box
// end it.
class TPropertySheet : public QDialog {
    Q_OBJECT

public:
    // title is the caption; startPage the page shown first, counted from 0.
    TPropertySheet(QWidget* parent, const QString& title, int startPage = 0);
    ~TPropertySheet() override;

    // Adds page as the next tab; its tab text is the page's caption. The sheet owns the page
    // and takes the font of its first page.
    void AddPage(TPropertyPage* page);
    // Runs the sheet modal to its owner window and returns its result code.
    int Execute();

    QTabWidget* tabs() const { return m_tabs; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTabWidget* m_tabs;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QHBoxLayout* m_buttonRow;  // owned by the sheet's layout
    int m_startPage;
    bool m_started = false;
};

}  // namespace nimbara
