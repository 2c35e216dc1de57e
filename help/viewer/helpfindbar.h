#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextEdit;

namespace nimbara {

// The bar under a help page that finds text in it: a field, Previous and Next, a status and a
// close button. Typing finds as the text grows; Enter finds the next match, Shift+Enter the
// previous one, Escape closes the bar. The search ignores case and wraps around the page. The
// match found is selected on the page; the status says "Match 2 of 5" or "Not found".
class HelpFindBar : public QWidget {
    Q_OBJECT

public:
    // Finds in page, which must outlive the bar.
    HelpFindBar(QTextEdit* page, QWidget* parent);

    // Shows the bar with the field focused and its text selected.
    void open();
    void findNext();
    void findPrevious();

    QLineEdit* field() const { return m_field; }
    QString status() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Direction { Forward, Backward, FromSelectionStart };
    void find(Direction direction);
    void closeBar();

    QTextEdit* m_page;
    QLineEdit* m_field;
    QLabel* m_status;
};

}  // namespace nimbara
