#include "help/viewer/helpfindbar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

namespace nimbara {

HelpFindBar::HelpFindBar(QTextEdit* page, QWidget* parent)
    : QWidget(parent), m_page(page), m_field(new QLineEdit(this)), m_status(new QLabel(this)) {
    auto* label = new QLabel("&Find:", this);
    label->setBuddy(m_field);
    m_field->setAccessibleName("Find in page");
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);
    auto* previous = new QPushButton("Pre&vious", this);
    auto* next = new QPushButton("Ne&xt", this);
    for (QPushButton* button : {previous, next}) {
        button->setAutoDefault(false);
    }
    auto* closeButton = new QToolButton(this);
    closeButton->setText("Close");
    closeButton->setAccessibleName("Close the find bar");
    closeButton->setAutoRaise(true);
    m_status->setAccessibleName("Find status");
    m_status->setMinimumWidth(m_status->fontMetrics().horizontalAdvance("Match 888 of 888"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(label);
    layout->addWidget(m_field, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(m_status);
    layout->addWidget(closeButton);

    connect(m_field, &QLineEdit::textEdited, this, [this] { find(Direction::FromSelectionStart); });
    connect(m_field, &QLineEdit::returnPressed, this, &HelpFindBar::findNext);
    connect(previous, &QPushButton::clicked, this, &HelpFindBar::findPrevious);
    connect(next, &QPushButton::clicked, this, &HelpFindBar::findNext);
    connect(closeButton, &QToolButton::clicked, this, &HelpFindBar::closeBar);
}

void HelpFindBar::open() {
    show();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void HelpFindBar::findNext() {
    find(Direction::Forward);
}

void HelpFindBar::findPrevious() {
    find(Direction::Backward);
}

QString HelpFindBar::status() const {
    return m_status->text();
}

bool HelpFindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            closeBar();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & Qt::ShiftModifier)) {
            findPrevious();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HelpFindBar::find(Direction direction) {
    const QString text = m_field->text();
    QTextDocument* document = m_page->document();
    QTextCursor from = m_page->textCursor();
    if (text.isEmpty()) {
        from.clearSelection();
        m_page->setTextCursor(from);
        m_status->clear();
        return;
    }
    QTextDocument::FindFlags flags;
    if (direction == Direction::Backward) {
        flags |= QTextDocument::FindBackward;
    } else if (direction == Direction::FromSelectionStart) {
        from.setPosition(from.selectionStart());  // the match may grow with the text typed
    }
    QTextCursor found = document->find(text, from, flags);
    if (found.isNull()) {
        QTextCursor wrapped(document);
        wrapped.movePosition(direction == Direction::Backward ? QTextCursor::End
                                                              : QTextCursor::Start);
        found = document->find(text, wrapped, flags);
    }
    if (found.isNull()) {
        from.clearSelection();
        m_page->setTextCursor(from);
        m_status->setText("Not found");
        return;
    }
    m_page->setTextCursor(found);
    int number = 0;
    int count = 0;
    for (QTextCursor match = document->find(text, 0); !match.isNull();
         match = document->find(text, match)) {
        ++count;
        if (match.selectionStart() == found.selectionStart()) {
            number = count;
        }
    }
    m_status->setText(QString("Match %1 of %2").arg(number).arg(count));
}

void HelpFindBar::closeBar() {
    hide();
    m_page->setFocus(Qt::OtherFocusReason);
}

}  // namespace nimbara
