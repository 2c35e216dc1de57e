#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct mspack_system;
struct mschm_decompressor;
struct mschmd_file;

namespace nimbara {

using Bytes = std::vector<std::uint8_t>;

// The two entry points of the CHM decoder library (libmspack), resolved at run time.
// Both are null when the library or an entry is missing; such an entry is never called.
struct ChmDecoderEntry {
    mschm_decompressor* (*create)(mspack_system*) = nullptr;
    void (*destroy)(mschm_decompressor*) = nullptr;

    bool isValid() const { return create != nullptr && destroy != nullptr; }
};

// The decoder linked into the program, for the tools that read archives themselves.
ChmDecoderEntry linkedChmDecoder();

// What correctChmHeaders changed.
struct ChmHeaderFixes {
    bool secondGuid = false;         // 7C01FD10-... at 0x28 made 7C01FD11-...
    bool firstListingChunk = false;  // directory's first listing chunk made the real one
    bool any() const { return secondGuid || firstListingChunk; }
};

// Mends the two header values that chmcmd 3.2.2 writes differently from what the decoder
// expects: the second header GUID, and the index of the first listing (PMGL) chunk, which must
// name the listing chunk that has no predecessor. Bytes that are not a CHM, or too short to
// hold the fields, are left alone; the decoder then rejects them.
ChmHeaderFixes correctChmHeaders(Bytes& bytes);

// Data of the archive's #SYSTEM file that the viewer uses; empty when absent.
struct ChmSystemInfo {
    std::string contentsFile;  // code 0
    std::string indexFile;     // code 1
    std::string defaultTopic;  // code 2
    std::string title;         // code 3
};

// Parses the records of a #SYSTEM file. Truncated records end the parse; what came before stays.
ChmSystemInfo parseChmSystem(const Bytes& system);

// A compiled help file held in memory and read through the CHM decoder library. The archive
// keeps its own copy of the bytes with the headers corrected, so the file on disk is read once
// and never reopened. Names are looked up case-insensitively, with or without a leading '/'.
class ChmArchive {
public:
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    // Opens an archive from its bytes. Returns null and sets error when the decoder refuses it.
    static std::unique_ptr<ChmArchive> open(Bytes bytes, const ChmDecoderEntry& entry,
                                            std::string& error);

    // Names as stored, each beginning with '/' (system files such as "/#SYSTEM" included).
    const std::vector<std::string>& fileNames() const { return m_names; }
    // The same names in the order their contents are stored, which is the order that decodes
    // them with the least work.
    std::vector<std::string> fileNamesInStorageOrder() const;
    bool contains(std::string_view name) const;
    // The stored name for name, matched case-insensitively; empty when absent.
    std::string storedName(std::string_view name) const;
    // The content of a file; nullopt when it is absent or cannot be decompressed.
    std::optional<Bytes> read(std::string_view name) const;
    const ChmSystemInfo& systemInfo() const { return m_system; }

private:
    struct Impl;
    explicit ChmArchive(std::unique_ptr<Impl> impl);
    mschmd_file* findFile(std::string_view name) const;
    std::optional<Bytes> extract(mschmd_file* file) const;

    std::unique_ptr<Impl> m_impl;
    std::vector<std::string> m_names;
    ChmSystemInfo m_system;
};

}  // namespace nimbara
