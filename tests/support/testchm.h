#pragma once

#include "help/book/helpshelf.h"
#include "tests/support/appdirfixture.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace nimbara::test {

// The tests' help books, read with the decoder linked into the program.
inline const HelpShelf kShelf = HelpShelf::linked();

// A help book of the test fixtures, by file name ("TESTBOOK.CHM").
inline QString fixture(const QString& name) {
    return fixtureDirectory() + "/" + name;
}

// A file of a help book to compile: its name inside the book and its content.
struct BookFile {
    QString name;
    QByteArray content;
};

// Compiles files into the help file output (folders are made) with chmcmd, the compiler the
// build uses; options are lines of the project's [OPTIONS] ("Title=...", "Default topic=...").
// A file named "*.hhc" is the contents file and needs "Contents file=" among the options.
// Returns false, with a test failure, when it cannot be compiled.
bool compileHelpBook(const QString& output, const QByteArray& options,
                     const std::vector<BookFile>& files);

}  // namespace nimbara::test
