#pragma once

#include <QStatusBar>

class QLabel;

namespace nimbara {

// The frame's status bar: a hint area for menu texts and, at the right, a pane per lock key
// (CAPS, NUM, SCRL) that is greyed while its key is off. The panes follow the keyboard on every
// key press and when the application becomes active.
class TStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit TStatusBar(QWidget* parent);
    ~TStatusBar() override;

    QLabel* capsPane() const { return m_caps; }
    QLabel* numPane() const { return m_num; }
    QLabel* scrollPane() const { return m_scroll; }
    void updateIndicators();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* addPane(const QString& text);

    QLabel* m_caps;
    QLabel* m_num;
    QLabel* m_scroll;
};

}  // namespace nimbara
