#include "compiler/payload.h"

#include <elf.h>

#include <algorithm>
#include <cstring>

#include "compiler/crc32.h"

namespace quillet {
namespace {

void putLittle(ByteSet& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint64_t getLittle(const std::uint8_t* p, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

template <typename T>
bool readAt(std::span<const std::uint8_t> file, std::uint64_t offset, T& out) {
    if (offset > file.size() || file.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, file.data() + offset, sizeof(T));
    return true;
}

struct Trailer {
    std::uint64_t imageSize = 0;
    std::uint64_t scriptSize = 0;
    std::uint64_t nameSize = 0;
    std::uint32_t crc = 0;
};

std::optional<Trailer> readTrailer(std::span<const std::uint8_t> file) {
    if (file.size() < kTrailerSize) return std::nullopt;
    const std::uint8_t* t = file.data() + file.size() - kTrailerSize;
    if (std::memcmp(t, kTrailerMagic.data(), kTrailerMagic.size()) != 0) return std::nullopt;
    return Trailer{getLittle(t + 8, 8), getLittle(t + 16, 8), getLittle(t + 24, 4),
                   static_cast<std::uint32_t>(getLittle(t + 28, 4))};
}

PayloadProbe damaged(std::string problem) {
    PayloadProbe probe;
    probe.kind = PayloadProbe::Kind::Damaged;
    probe.problem = std::move(problem);
    return probe;
}

// Checks the trailer against the file and the image size, then the checksum.
PayloadProbe checkPayload(std::span<const std::uint8_t> file, std::size_t imageSize) {
    const auto trailer = readTrailer(file);
    if (!trailer) return damaged("its trailer is missing or broken");
    const std::uint64_t body = file.size() - kTrailerSize;
    const bool sizesFit = trailer->imageSize == imageSize && trailer->scriptSize <= body &&
                          trailer->nameSize <= body - trailer->scriptSize &&
                          trailer->imageSize == body - trailer->scriptSize - trailer->nameSize;
    if (!sizesFit) return damaged("its sizes do not match the file");
    if (crc32(file.first(body)) != trailer->crc) return damaged("its checksum does not match");

    PayloadProbe probe;
    probe.kind = PayloadProbe::Kind::Found;
    probe.imageSize = imageSize;
    const char* script = reinterpret_cast<const char*>(file.data()) + imageSize;
    probe.payload.script.assign(script, trailer->scriptSize);
    probe.payload.scriptName.assign(script + trailer->scriptSize, trailer->nameSize);
    return probe;
}

}  // namespace

ByteSet appendPayload(std::span<const std::uint8_t> image, std::string_view script,
                      std::string_view scriptName) {
    ByteSet out;
    out.reserve(image.size() + script.size() + scriptName.size() + kTrailerSize);
    out.insert(out.end(), image.begin(), image.end());
    out.insert(out.end(), script.begin(), script.end());
    out.insert(out.end(), scriptName.begin(), scriptName.end());
    const std::uint32_t crc = crc32(out);
    out.insert(out.end(), kTrailerMagic.begin(), kTrailerMagic.end());
    putLittle(out, image.size(), 8);
    putLittle(out, script.size(), 8);
    putLittle(out, scriptName.size(), 4);
    putLittle(out, crc, 4);
    return out;
}

std::optional<std::size_t> elfImageEnd(std::span<const std::uint8_t> file) {
    Elf64_Ehdr header;
    if (!readAt(file, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64) {
        return std::nullopt;
    }
    std::uint64_t end = sizeof header;
    end = std::max<std::uint64_t>(
        end, header.e_phoff + std::uint64_t(header.e_phnum) * header.e_phentsize);
    end = std::max<std::uint64_t>(
        end, header.e_shoff + std::uint64_t(header.e_shnum) * header.e_shentsize);
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr segment;
        if (!readAt(file, header.e_phoff + std::uint64_t(i) * header.e_phentsize, segment)) break;
        end = std::max<std::uint64_t>(end, segment.p_offset + segment.p_filesz);
    }
    for (unsigned i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr section;
        if (!readAt(file, header.e_shoff + std::uint64_t(i) * header.e_shentsize, section)) break;
        if (section.sh_type != SHT_NOBITS) {
            end = std::max<std::uint64_t>(end, section.sh_offset + section.sh_size);
        }
    }
    return static_cast<std::size_t>(end);
}

PayloadProbe probePayload(std::span<const std::uint8_t> file) {
    const auto imageEnd = elfImageEnd(file);
    if (!imageEnd) {
        // Not ELF: only the trailer can tell.
        const auto trailer = readTrailer(file);
        if (!trailer) return PayloadProbe{PayloadProbe::Kind::None, {}, {}, file.size()};
        return checkPayload(file, trailer->imageSize);
    }
    if (file.size() < *imageEnd) return damaged("it is shorter than its own image");
    if (file.size() == *imageEnd) {
        return PayloadProbe{PayloadProbe::Kind::None, {}, {}, *imageEnd};
    }
    return checkPayload(file, *imageEnd);
}

}  // namespace quillet
