#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

namespace nimbara {

// The dialog that picks one existing file to open. Run modally it blocks its parent's window
// alone (the whole program when it has no parent), and it works on data that its owner keeps
// between runs: each run starts at the file chosen last and, on OK, leaves the new choice there.
//
// The filter is given in pairs, "text|patterns|text|patterns": the text is what the list of file
// types shows, the patterns (separated by ';', blanks around them ignored, matched without
// regard to case) choose the files that the dialog lists.
class TFileOpenDialog : public QFileDialog {
    Q_OBJECT

public:
    struct TData {
        QString filter;
        QString fileName;  // the file chosen last; empty before the first choice
    };

    // dialogData must outlive the dialog.
    TFileOpenDialog(QWidget* parent, TData& dialogData);

    // Runs the dialog modally; on OK the chosen path is in the data. Returns the dialog's result.
    int Execute();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyPatterns(const QString& text);

    TData& m_data;
    QStringList m_texts;
    QList<QStringList> m_patterns;
};

}  // namespace nimbara
