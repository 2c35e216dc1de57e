#pragma once

#include "help/book/helpshelf.h"
#include "tests/support/appdirfixture.h"

namespace nimbara::test {

// The tests' help books, read with the decoder linked into the program.
inline const HelpShelf kShelf = HelpShelf::linked();

// A help book of the test fixtures, by file name ("TESTBOOK.CHM").
inline QString fixture(const QString& name) {
    return fixtureDirectory() + "/" + name;
}

}  // namespace nimbara::test
