#include "platform/tpropertysheet.h"

#include "platform/tpropertypage.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace nimbara {

namespace {

// Margins and button size in dialog units of the pages' font, as a Windows sheet has them.
constexpr int kMargin = 7;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 6;

}  // namespace

TPropertySheet::TPropertySheet(QWidget* parent, const QString& title, int startPage)
    : QDialog(parent),
      m_tabs(new QTabWidget(this)),
      m_ok(new QPushButton("OK", this)),
      m_cancel(new QPushButton("Cancel", this)),
      m_buttonRow(new QHBoxLayout),
      m_startPage(startPage) {
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_buttonRow->addStretch();
    m_buttonRow->addWidget(m_ok);
    m_buttonRow->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(m_buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TPropertySheet::~TPropertySheet() = default;

void TPropertySheet::AddPage(TPropertyPage* page) {
    if (m_tabs->count() == 0) {
        setFont(page->font());
        const DialogUnits& units = page->units();
        const int marginX = units.toPixelsX(kMargin);
        const int marginY = units.toPixelsY(kMargin);
        layout()->setContentsMargins(marginX, marginY, marginX, marginY);
        layout()->setSpacing(marginY);
        for (QPushButton* button : {m_ok, m_cancel}) {
            button->setFixedSize(units.toPixelsX(kButtonWidth), units.toPixelsY(kButtonHeight));
        }
        m_buttonRow->setSpacing(units.toPixelsX(kButtonGap));
    }
    m_tabs->addTab(page, page->windowTitle());
}

int TPropertySheet::Execute() {
    setWindowModality(Qt::WindowModal);
    return exec();
}

void TPropertySheet::showEvent(QShowEvent* event) {
    if (!m_started) {
        m_started = true;
        if (m_startPage >= 0 && m_startPage < m_tabs->count()) {
            m_tabs->setCurrentIndex(m_startPage);
        }
    }
    QDialog::showEvent(event);
}

}  // namespace nimbara
