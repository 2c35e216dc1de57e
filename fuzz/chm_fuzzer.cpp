// Fuzz target for the help files' reading path: header correction, the decoder over the memory
// system, the #SYSTEM data, the contents file, the default topic and every file's extraction.
#include "help/book/chmarchive.h"
#include "help/book/chmbook.h"

#include <mspack.h>

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The contents file's named characters are decoded through Qt's document importer, which needs
// an application of Qt Gui; no window is shown.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const nimbara::ChmDecoderEntry decoder{mspack_create_chm_decompressor,
                                           mspack_destroy_chm_decompressor};
    nimbara::Bytes bytes(data, data + size);
    nimbara::parseChmSystem(bytes);
    std::string error;
    auto archive = nimbara::ChmArchive::open(std::move(bytes), decoder, error);
    if (!archive) {
        return 0;
    }
    const nimbara::ChmBook book(std::move(archive), "fuzz.chm");
    for (const QString& page : book.pages()) {
        book.data(page);
    }
    book.data(book.defaultTopic());
    return 0;
}
