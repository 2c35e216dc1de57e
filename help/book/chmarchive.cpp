#include "help/book/chmarchive.h"

#include <mspack.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <map>

namespace nimbara {

namespace {

constexpr std::array<std::uint8_t, 16> kGuid1 = {0x10, 0xfd, 0x01, 0x7c, 0xaa, 0x7b, 0xd0, 0x11,
                                                 0x9e, 0x0c, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec};
constexpr std::size_t kGuid2Offset = 0x28;
constexpr std::uint8_t kGuid2FirstByte = 0x11;
constexpr std::size_t kDirectoryOffsetField = 0x48;
constexpr std::size_t kDirectoryHeaderSize = 0x54;
constexpr std::size_t kChunkSizeField = 0x10;
constexpr std::size_t kFirstListingField = 0x20;
constexpr std::size_t kLastListingField = 0x24;
constexpr std::size_t kChunkCountField = 0x2c;
constexpr std::size_t kPreviousChunkField = 0x0c;
constexpr std::uint32_t kNoChunk = 0xffffffff;

// Largest file the archive extracts; guards against a damaged length field.
constexpr std::size_t kMaxExtractedSize = 64u << 20;

std::uint32_t readU32(const Bytes& bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
           std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

std::uint64_t readU64(const Bytes& bytes, std::size_t at) {
    return std::uint64_t{readU32(bytes, at)} | std::uint64_t{readU32(bytes, at + 4)} << 32;
}

void writeU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

bool hasTag(const Bytes& bytes, std::size_t at, const char (&tag)[5]) {
    return at + 4 <= bytes.size() && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

bool correctSecondGuid(Bytes& bytes) {
    if (bytes.size() < kGuid2Offset + kGuid1.size() || bytes[kGuid2Offset] == kGuid2FirstByte) {
        return false;
    }
    if (!std::equal(kGuid1.begin(), kGuid1.end(), bytes.begin() + kGuid2Offset)) {
        return false;
    }
    bytes[kGuid2Offset] = kGuid2FirstByte;
    return true;
}

bool correctFirstListingChunk(Bytes& bytes) {
    if (bytes.size() < kDirectoryOffsetField + 8) {
        return false;
    }
    const std::uint64_t directory = readU64(bytes, kDirectoryOffsetField);
    if (directory > bytes.size() || bytes.size() - directory < kDirectoryHeaderSize ||
        !hasTag(bytes, static_cast<std::size_t>(directory), "ITSP")) {
        return false;
    }
    const auto header = static_cast<std::size_t>(directory);
    const std::uint32_t chunkSize = readU32(bytes, header + kChunkSizeField);
    const std::uint32_t chunkCount = readU32(bytes, header + kChunkCountField);
    const std::size_t chunks = header + kDirectoryHeaderSize;
    if (chunkSize < 0x14) {
        return false;
    }
    for (std::uint32_t i = 0; i < chunkCount; ++i) {
        const std::uint64_t at = chunks + std::uint64_t{i} * chunkSize;
        if (at + 0x14 > bytes.size()) {
            return false;
        }
        const auto chunk = static_cast<std::size_t>(at);
        if (hasTag(bytes, chunk, "PMGL") &&
            readU32(bytes, chunk + kPreviousChunkField) == kNoChunk) {
            const std::uint32_t stored = readU32(bytes, header + kFirstListingField);
            if (stored == i || i > readU32(bytes, header + kLastListingField)) {
                return false;
            }
            writeU32(bytes, header + kFirstListingField, i);
            return true;
        }
    }
    return false;
}

std::string lowerCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return result;
}

std::string lookupKey(std::string_view name) {
    return name.starts_with('/') ? lowerCase(name) : "/" + lowerCase(name);
}

std::string zeroTerminated(const std::uint8_t* data, std::size_t length) {
    const auto* text = reinterpret_cast<const char*>(data);
    return std::string(text, strnlen(text, length));
}

}  // namespace

// An mspack_system that serves the archive from memory and extracts into memory. Named rather
// than file-local, because the archive's own data holds one.
namespace chmmemory {

struct MemoryFile {
    const Bytes* source = nullptr;  // reading
    Bytes* sink = nullptr;          // writing
    std::size_t position = 0;
};

struct MemorySystem {
    mspack_system base{};
    const Bytes* source = nullptr;
    Bytes sink;
};

}  // namespace chmmemory

using chmmemory::MemoryFile;
using chmmemory::MemorySystem;

namespace {

MemorySystem* memorySystem(mspack_system* self) {
    return reinterpret_cast<MemorySystem*>(self);
}

MemoryFile* memoryFile(mspack_file* file) {
    return reinterpret_cast<MemoryFile*>(file);
}

mspack_file* memoryOpen(mspack_system* self, const char*, int mode) {
    MemorySystem* system = memorySystem(self);
    auto* file = new MemoryFile;
    if (mode == MSPACK_SYS_OPEN_READ) {
        file->source = system->source;
    } else if (mode == MSPACK_SYS_OPEN_WRITE) {
        system->sink.clear();
        file->sink = &system->sink;
    } else {
        delete file;
        return nullptr;
    }
    return reinterpret_cast<mspack_file*>(file);
}

void memoryClose(mspack_file* file) {
    delete memoryFile(file);
}

int memoryRead(mspack_file* handle, void* buffer, int bytes) {
    MemoryFile* file = memoryFile(handle);
    if (file->source == nullptr || bytes < 0) {
        return -1;
    }
    const std::size_t size = file->source->size();
    const std::size_t count =
        file->position >= size ? 0
                               : std::min(static_cast<std::size_t>(bytes), size - file->position);
    std::memcpy(buffer, file->source->data() + file->position, count);
    file->position += count;
    return static_cast<int>(count);
}

int memoryWrite(mspack_file* handle, void* buffer, int bytes) {
    MemoryFile* file = memoryFile(handle);
    if (file->sink == nullptr || bytes < 0 ||
        file->sink->size() + static_cast<std::size_t>(bytes) > kMaxExtractedSize) {
        return -1;
    }
    const auto* data = static_cast<const std::uint8_t*>(buffer);
    file->sink->insert(file->sink->end(), data, data + bytes);
    return bytes;
}

int memorySeek(mspack_file* handle, off_t offset, int mode) {
    MemoryFile* file = memoryFile(handle);
    const auto size = static_cast<off_t>(file->source ? file->source->size() : file->sink->size());
    off_t base = 0;
    if (mode == MSPACK_SYS_SEEK_CUR) {
        base = static_cast<off_t>(file->position);
    } else if (mode == MSPACK_SYS_SEEK_END) {
        base = size;
    } else if (mode != MSPACK_SYS_SEEK_START) {
        return -1;
    }
    const off_t target = base + offset;
    if (offset > size || offset < -size || target < 0 || target > size) {
        return -1;
    }
    file->position = static_cast<std::size_t>(target);
    return 0;
}

off_t memoryTell(mspack_file* handle) {
    return static_cast<off_t>(memoryFile(handle)->position);
}

void memoryMessage(mspack_file*, const char*, ...) {}

void* memoryAlloc(mspack_system*, size_t bytes) {
    return std::malloc(bytes);
}

void memoryFree(void* pointer) {
    std::free(pointer);
}

void memoryCopy(void* source, void* destination, size_t bytes) {
    std::memmove(destination, source, bytes);
}

}  // namespace

ChmHeaderFixes correctChmHeaders(Bytes& bytes) {
    ChmHeaderFixes fixes;
    if (!hasTag(bytes, 0, "ITSF")) {
        return fixes;
    }
    fixes.secondGuid = correctSecondGuid(bytes);
    fixes.firstListingChunk = correctFirstListingChunk(bytes);
    return fixes;
}

ChmSystemInfo parseChmSystem(const Bytes& system) {
    ChmSystemInfo info;
    std::size_t at = 4;  // version
    while (at + 4 <= system.size()) {
        const unsigned code = system[at] | unsigned{system[at + 1]} << 8;
        const std::size_t length = system[at + 2] | std::size_t{system[at + 3]} << 8;
        at += 4;
        if (length > system.size() - at) {
            break;
        }
        const std::string value = zeroTerminated(system.data() + at, length);
        if (code == 0) {
            info.contentsFile = value;
        } else if (code == 1) {
            info.indexFile = value;
        } else if (code == 2) {
            info.defaultTopic = value;
        } else if (code == 3) {
            info.title = value;
        }
        at += length;
    }
    return info;
}

// The LZX section is decoded as one stream that can only be entered at its reset points. A
// decoder that has just produced a file goes on from there cheaply, but reaches a file far ahead
// only by decoding everything in between; a fresh start at the file's reset point may be much
// cheaper. The archive keeps two decoders over the one directory and lets the one that reaches
// a file with the least decoding extract it.
struct ChmArchive::Impl {
    struct Decoder {
        mschm_decompressor* decoder = nullptr;
        // Where its LZX stream stands: the end of the last compressed file it extracted.
        std::optional<std::uint64_t> position;
    };

    MemorySystem system;
    Bytes bytes;
    // The decoder keeps this pointer and reopens the archive by it while extracting.
    std::string name = "archive.chm";
    ChmDecoderEntry entry;
    std::array<Decoder, 2> decoders;
    mschmd_header* header = nullptr;
    std::uint64_t resetInterval = 0;  // bytes between reset points; 0 when unknown
    std::map<std::string, mschmd_file*> files;

    ~Impl() {
        // The spare decoder's stream refers to the directory: it goes first.
        if (decoders[1].decoder != nullptr) {
            entry.destroy(decoders[1].decoder);
        }
        if (header != nullptr) {
            decoders[0].decoder->close(decoders[0].decoder, header);
        }
        if (decoders[0].decoder != nullptr) {
            entry.destroy(decoders[0].decoder);
        }
    }

    // Bytes of the stream that decoder would decode to reach a compressed file at offset.
    std::uint64_t decodingCost(const Decoder& decoder, std::uint64_t offset) const {
        if (decoder.position && offset >= *decoder.position) {
            return offset - *decoder.position;
        }
        return resetInterval == 0 ? offset : offset % resetInterval;
    }

    Decoder& cheapestDecoderFor(const mschmd_file& file) {
        if (file.section->id != 1) {
            return decoders[0];
        }
        const auto offset = static_cast<std::uint64_t>(file.offset);
        return decodingCost(decoders[1], offset) < decodingCost(decoders[0], offset) ? decoders[1]
                                                                                     : decoders[0];
    }
};

namespace {

// The reset interval in bytes from the LZX control data (version 2 counts 32 KB frames).
std::uint64_t resetIntervalOf(const Bytes& control) {
    constexpr std::uint32_t kFrame = 32768;
    if (control.size() < 16 || std::memcmp(control.data() + 4, "LZXC", 4) != 0) {
        return 0;
    }
    const std::uint32_t version = readU32(control, 8);
    const std::uint32_t interval = readU32(control, 12);
    return version == 2 ? std::uint64_t{interval} * kFrame : interval;
}

}  // namespace

ChmArchive::ChmArchive(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {
    for (mschmd_file* file = m_impl->header->files; file != nullptr; file = file->next) {
        m_names.emplace_back(file->filename);
        m_impl->files.emplace(lookupKey(file->filename), file);
    }
    for (mschmd_file* file = m_impl->header->sysfiles; file != nullptr; file = file->next) {
        if (std::string_view(file->filename) == "::DataSpace/Storage/MSCompressed/ControlData") {
            if (std::optional<Bytes> control = extract(file)) {
                m_impl->resetInterval = resetIntervalOf(*control);
            }
        }
    }
    if (std::optional<Bytes> system = read("/#SYSTEM")) {
        m_system = parseChmSystem(*system);
    }
}

ChmArchive::~ChmArchive() = default;

std::unique_ptr<ChmArchive> ChmArchive::open(Bytes bytes, const ChmDecoderEntry& entry,
                                             std::string& error) {
    if (!entry.isValid()) {
        error = "The CHM decoder is not available.";
        return nullptr;
    }
    if (!hasTag(bytes, 0, "ITSF")) {
        error = "The file is not a compiled help file.";
        return nullptr;
    }
    correctChmHeaders(bytes);
    auto impl = std::make_unique<Impl>();
    impl->bytes = std::move(bytes);
    impl->entry = entry;
    impl->system.source = &impl->bytes;
    impl->system.base =
        mspack_system{memoryOpen,    memoryClose, memoryRead, memoryWrite, memorySeek, memoryTell,
                      memoryMessage, memoryAlloc, memoryFree, memoryCopy,  nullptr};
    for (Impl::Decoder& decoder : impl->decoders) {
        decoder.decoder = entry.create(&impl->system.base);
        if (decoder.decoder == nullptr) {
            error = "The CHM decoder could not be started.";
            return nullptr;
        }
    }
    mschm_decompressor* decoder = impl->decoders[0].decoder;
    impl->header = decoder->open(decoder, impl->name.c_str());
    if (impl->header == nullptr) {
        const int code = decoder->last_error(decoder);
        error = code == MSPACK_ERR_SIGNATURE ? "The file is not a compiled help file."
                                             : "The compiled help file is damaged.";
        return nullptr;
    }
    return std::unique_ptr<ChmArchive>(new ChmArchive(std::move(impl)));
}

mschmd_file* ChmArchive::findFile(std::string_view name) const {
    const auto found = m_impl->files.find(lookupKey(name));
    return found == m_impl->files.end() ? nullptr : found->second;
}

bool ChmArchive::contains(std::string_view name) const {
    return findFile(name) != nullptr;
}

std::string ChmArchive::storedName(std::string_view name) const {
    const mschmd_file* file = findFile(name);
    return file == nullptr ? std::string() : std::string(file->filename);
}

std::optional<Bytes> ChmArchive::read(std::string_view name) const {
    mschmd_file* file = findFile(name);
    return file == nullptr ? std::nullopt : extract(file);
}

std::optional<Bytes> ChmArchive::extract(mschmd_file* file) const {
    if (file->length == 0) {
        return Bytes();
    }
    Impl::Decoder& decoder = m_impl->cheapestDecoderFor(*file);
    const bool compressed = file->section->id == 1;
    if (decoder.decoder->extract(decoder.decoder, file, "extracted") != MSPACK_ERR_OK) {
        if (compressed) {
            decoder.position.reset();  // where a failed stream stands is unknown
        }
        return std::nullopt;
    }
    if (compressed) {
        decoder.position = static_cast<std::uint64_t>(file->offset + file->length);
    }
    return std::move(m_impl->system.sink);
}

std::vector<std::string> ChmArchive::fileNamesInStorageOrder() const {
    std::vector<const mschmd_file*> files;
    for (const mschmd_file* file = m_impl->header->files; file != nullptr; file = file->next) {
        files.push_back(file);
    }
    std::stable_sort(files.begin(), files.end(), [](const mschmd_file* a, const mschmd_file* b) {
        return std::pair(a->section->id, a->offset) < std::pair(b->section->id, b->offset);
    });
    std::vector<std::string> names;
    for (const mschmd_file* file : files) {
        names.emplace_back(file->filename);
    }
    return names;
}

}  // namespace nimbara
