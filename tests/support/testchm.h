#pragma once

#include "help/book/chmarchive.h"
#include "tests/support/appdirfixture.h"

#include <mspack.h>

namespace nimbara::test {

// The CHM decoder of the system library, linked straight in.
inline const ChmDecoderEntry kDecoder{mspack_create_chm_decompressor,
                                      mspack_destroy_chm_decompressor};

// A help book of the test fixtures, by file name ("TESTBOOK.CHM").
inline QString fixture(const QString& name) {
    return fixtureDirectory() + "/" + name;
}

}  // namespace nimbara::test
