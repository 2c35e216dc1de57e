// The decoder linked into the program. Kept in a file of its own, outside unity batches, so that
// only programs that ask for it depend on the decoder library when they start: the main program
// loads it at run time and goes on without help when it is missing.
#include "help/book/chmarchive.h"
#include "help/book/helpshelf.h"

#include <mspack.h>

namespace nimbara {

ChmDecoderEntry linkedChmDecoder() {
    return {mspack_create_chm_decompressor, mspack_destroy_chm_decompressor};
}

HelpShelf HelpShelf::linked() {
    static const auto decoder = std::make_shared<const ChmDecoderEntry>(linkedChmDecoder());
    return HelpShelf(decoder);
}

}  // namespace nimbara
