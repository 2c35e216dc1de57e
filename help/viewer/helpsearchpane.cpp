#include "help/viewer/helpsearchpane.h"

#include "help/book/helplocation.h"
#include "help/book/helpsearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace nimbara {

HelpSearchPane::HelpSearchPane(const HelpShelf& shelf, QWidget* parent)
    : QWidget(parent),
      m_helpShelf(shelf),
      m_field(new QLineEdit(this)),
      m_shelf(new QCheckBox("Search every book on the &shelf", this)),
      m_results(new QTreeWidget(this)),
      m_status(new QLabel(this)) {
    auto* fieldLabel = new QLabel("Type in the &word(s) to search for:", this);
    fieldLabel->setBuddy(m_field);
    m_field->setAccessibleName("Words to search for");
    auto* list = new QPushButton("&List Topics", this);
    list->setAutoDefault(false);
    auto* resultsLabel = new QLabel("Select &topic to display:", this);
    resultsLabel->setBuddy(m_results);
    m_results->setAccessibleName("Search results");
    m_results->setRootIsDecorated(false);
    m_results->setUniformRowHeights(true);
    m_results->setHeaderLabels({"Title", "Book"});
    m_results->header()->setStretchLastSection(true);
    m_status->setAccessibleName("Search status");
    m_status->setWordWrap(true);
    auto* display = new QPushButton("&Display", this);
    display->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(fieldLabel);
    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(m_field, 1);
    fieldRow->addWidget(list);
    layout->addLayout(fieldRow);
    layout->addWidget(m_shelf);
    layout->addWidget(resultsLabel);
    layout->addWidget(m_results, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(display);
    layout->addLayout(bottom);
    // Tab follows the reading order.
    setTabOrder(m_field, list);
    setTabOrder(list, m_shelf);
    setTabOrder(m_shelf, m_results);
    setTabOrder(m_results, display);

    connect(m_field, &QLineEdit::returnPressed, this, &HelpSearchPane::search);
    connect(list, &QPushButton::clicked, this, &HelpSearchPane::search);
    connect(display, &QPushButton::clicked, this, &HelpSearchPane::displayCurrent);
    connect(m_results, &QTreeWidget::itemActivated, this, &HelpSearchPane::displayCurrent);
}

void HelpSearchPane::setBook(const QString& bookPath) {
    m_book = bookPath;
    if (isVisible()) {
        prepareAhead();
    }
}

QString HelpSearchPane::status() const {
    return m_status->text();
}

void HelpSearchPane::search() {
    m_query = SearchQuery::parse(m_field->text());
    m_results->clear();
    if (m_query.isEmpty()) {
        m_status->setText("Type in the words to search for.");
        return;
    }
    const bool shelf = m_shelf->isChecked();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SearchOutcome outcome = HelpSearch::search(
        shelf ? HelpSearch::shelf(m_book) : QStringList{m_book}, m_query, m_helpShelf);
    QApplication::restoreOverrideCursor();
    for (const SearchResult& result : outcome.results) {
        auto* item = new QTreeWidgetItem(m_results, {result.pageTitle, result.bookTitle});
        item->setData(0, Qt::UserRole, HelpLocation{result.bookPath, result.page, {}}.toUrl());
        item->setToolTip(0, result.pageTitle);
        item->setToolTip(1, result.bookTitle);
    }
    m_results->setColumnHidden(1, !shelf);
    m_results->resizeColumnToContents(0);
    const qsizetype found = outcome.results.size();
    QString status = found == 0   ? QString("No topics found")
                     : found == 1 ? QString("Found 1 topic")
                                  : QString("Found %1 topics").arg(found);
    if (!outcome.unreadable.isEmpty()) {
        status += ". Could not be searched: " + outcome.unreadable.join(", ");
    }
    m_status->setText(status);
    if (found > 0) {
        m_results->setCurrentItem(m_results->topLevelItem(0));
        m_results->setFocus(Qt::OtherFocusReason);
    }
}

void HelpSearchPane::displayCurrent() {
    if (const QTreeWidgetItem* item = m_results->currentItem()) {
        emit resultChosen(item->data(0, Qt::UserRole).toUrl(), m_query);
    }
}

void HelpSearchPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    prepareAhead();
}

void HelpSearchPane::prepareAhead() {
    if (m_book.isEmpty()) {
        return;
    }
    m_ahead = HelpSearch::shelf(m_book);
    m_ahead.removeAll(m_book);
    m_ahead.prepend(m_book);
    if (!m_aheadScheduled) {
        m_aheadScheduled = true;
        QTimer::singleShot(0, this, &HelpSearchPane::prepareNextBook);
    }
}

void HelpSearchPane::prepareNextBook() {
    m_aheadScheduled = false;
    if (m_ahead.isEmpty()) {
        return;
    }
    QString error;
    HelpSearch::index(m_ahead.takeFirst(), m_helpShelf, &error);  // unreadable ones show later
    if (!m_ahead.isEmpty()) {
        m_aheadScheduled = true;
        QTimer::singleShot(0, this, &HelpSearchPane::prepareNextBook);
    }
}

}  // namespace nimbara
