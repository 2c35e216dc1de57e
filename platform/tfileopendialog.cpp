#include "platform/tfileopendialog.h"

#include <QFileSystemModel>

namespace nimbara {

TFileOpenDialog::TFileOpenDialog(QWidget* parent, TData& dialogData)
    : QFileDialog(parent), m_data(dialogData) {
    // Qt's own dialog: it reads the patterns as given here, and it is the same on every desktop.
    setOption(QFileDialog::DontUseNativeDialog);
    // Blocks its owner and the owner's owners only; help windows stay usable beside it.
    setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList pieces = dialogData.filter.split('|');
    for (qsizetype piece = 0; piece + 1 < pieces.size(); piece += 2) {
        m_texts << pieces[piece];
        QStringList patterns;
        for (const QString& pattern : pieces[piece + 1].split(';', Qt::SkipEmptyParts)) {
            if (!pattern.trimmed().isEmpty()) {
                patterns << pattern.trimmed();
            }
        }
        m_patterns << patterns;
    }
    setNameFilters(m_texts);
    if (!dialogData.fileName.isEmpty()) {
        selectFile(dialogData.fileName);
    }
    connect(this, &QFileDialog::filterSelected, this, &TFileOpenDialog::applyPatterns);
}

void TFileOpenDialog::applyPatterns(const QString& text) {
    // The dialog reads patterns from the text's parentheses, separated by blanks; the patterns
    // here are given apart from the text, so they replace what the dialog read.
    auto* model = findChild<QFileSystemModel*>();
    const qsizetype index = m_texts.indexOf(text);
    if (model != nullptr && index >= 0) {
        model->setNameFilters(m_patterns[index]);
    }
}

void TFileOpenDialog::showEvent(QShowEvent* event) {
    QFileDialog::showEvent(event);
    applyPatterns(selectedNameFilter());
}

int TFileOpenDialog::Execute() {
    const int result = exec();
    if (result == QDialog::Accepted && !selectedFiles().isEmpty()) {
        m_data.fileName = selectedFiles().constFirst();
    }
    return result;
}

}  // namespace nimbara
