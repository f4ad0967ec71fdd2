// pe_bitmaps DLL: lists the BITMAP resources of a Windows library as
// "id width height" lines, read from the file itself, so that a library of
// either word size can be checked on a machine that cannot run it.
// Exit 1 with one line on stderr when the file is not a readable PE image.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

struct Image {
    Bytes bytes;
    std::uint32_t sections = 0;  // file offset of the section table
    int sectionCount = 0;

    std::uint32_t u16(std::size_t at) const {
        if (at + 2 > bytes.size()) throw std::string("truncated file");
        return bytes[at] | bytes[at + 1] << 8;
    }
    std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }
    // File offset of a relative virtual address.
    std::uint32_t offsetOf(std::uint32_t rva) const {
        for (int i = 0; i < sectionCount; ++i) {
            const std::size_t s = sections + 40u * static_cast<std::size_t>(i);
            const std::uint32_t virtualAddress = u32(s + 12), size = u32(s + 16), raw = u32(s + 20);
            if (rva >= virtualAddress && rva < virtualAddress + size)
                return rva - virtualAddress + raw;
        }
        throw std::string("address outside every section");
    }
};

// The entries of one resource directory: (id, offset of the entry's target
// relative to the resource section, whether it is a subdirectory).
struct Entry {
    std::uint32_t id;
    std::uint32_t target;
    bool directory;
};

std::vector<Entry> entries(const Image& image, std::uint32_t base, std::uint32_t directory) {
    const std::uint32_t at = base + directory;
    const std::uint32_t named = image.u16(at + 12), numbered = image.u16(at + 14);
    std::vector<Entry> out;
    for (std::uint32_t i = named; i < named + numbered; ++i) {
        const std::uint32_t e = at + 16 + 8 * i;
        const std::uint32_t target = image.u32(e + 4);
        out.push_back({image.u32(e) & 0xFFFF, target & 0x7FFFFFFF, (target & 0x80000000u) != 0});
    }
    return out;
}

void listBitmaps(const Image& image) {
    const std::uint32_t pe = image.u32(0x3C);
    if (image.u32(pe) != 0x00004550) throw std::string("no PE signature");
    const std::uint32_t optional = pe + 24;
    const bool plus = image.u16(optional) == 0x20B;
    const std::uint32_t resourceRva = image.u32(optional + (plus ? 112 : 96) + 2 * 8);
    if (resourceRva == 0) return;
    const std::uint32_t base = image.offsetOf(resourceRva);
    constexpr std::uint32_t kBitmapType = 2;
    for (const Entry& type : entries(image, base, 0)) {
        if (type.id != kBitmapType || !type.directory) continue;
        for (const Entry& name : entries(image, base, type.target)) {
            for (const Entry& language : entries(image, base, name.target)) {
                const std::uint32_t data = image.offsetOf(image.u32(base + language.target));
                // The resource is a BITMAPINFOHEADER and its pixels.
                const auto height = static_cast<std::int32_t>(image.u32(data + 8));
                std::printf("%u %u %d\n", name.id, image.u32(data + 4),
                            height < 0 ? -height : height);
                break;
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pe_bitmaps DLL\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    Image image;
    image.bytes.assign(std::istreambuf_iterator<char>(in), {});
    try {
        if (image.bytes.size() < 0x40 || image.u16(0) != 0x5A4D)
            throw std::string("not an MZ file");
        const std::uint32_t pe = image.u32(0x3C);
        image.sectionCount = static_cast<int>(image.u16(pe + 6));
        image.sections = pe + 24 + image.u16(pe + 20);
        listBitmaps(image);
    } catch (const std::string& why) {
        std::fprintf(stderr, "pe_bitmaps: %s: %s\n", argv[1], why.c_str());
        return 1;
    }
    return 0;
}
