#include "platform/decodelimit.h"

#include <QImageReader>

namespace nimbara {

namespace {

int gDecodeLimitMegabytes = 128;

}  // namespace

void setDecodeLimit(int megabytes) {
    // The decoder reads JPEGMEM each time it starts on a picture.
    static const bool setByUser = qEnvironmentVariableIsSet("JPEGMEM");
    if (!setByUser) {
        qputenv("JPEGMEM", QByteArray::number(megabytes) + 'M');
    }
    QImageReader::setAllocationLimit(megabytes);
    gDecodeLimitMegabytes = megabytes;
}

int decodeLimit() {
    return gDecodeLimitMegabytes;
}

}  // namespace nimbara
