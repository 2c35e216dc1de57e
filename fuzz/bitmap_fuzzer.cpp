// Fuzz target for the photo reader: the header checks and the decoding of what they let through.
#include "platform/windowsbitmap.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    nimbara::decodeWindowsBitmap(bytes);
    return 0;
}
