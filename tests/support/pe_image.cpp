#include "pe_image.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace test_support {

namespace {

class Reader {
  public:
    explicit Reader(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}
    bool has(std::size_t offset, std::size_t size) const {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }
    std::uint32_t u16(std::size_t at) const {
        return has(at, 2) ? bytes_[at] | bytes_[at + 1] << 8 : 0;
    }
    std::uint32_t u32(std::size_t at) const {
        return has(at, 4)
                   ? static_cast<std::uint32_t>(bytes_[at]) | bytes_[at + 1] << 8 |
                         bytes_[at + 2] << 16 | static_cast<std::uint32_t>(bytes_[at + 3]) << 24
                   : 0;
    }
    // A NUL-terminated name; empty when it runs off the file.
    std::string text(std::size_t at) const {
        std::string out;
        for (std::size_t i = at; i < bytes_.size(); ++i) {
            if (bytes_[i] == 0) return out;
            out += static_cast<char>(bytes_[i]);
        }
        return {};
    }

  private:
    std::vector<unsigned char> bytes_;
};

struct Section {
    std::uint32_t rva, size, file_offset;
};

}  // namespace

PeImage read_pe_image(const std::string& utf8_path) {
    PeImage image;
    std::ifstream in(std::filesystem::path(std::u8string(utf8_path.begin(), utf8_path.end())),
                     std::ios::binary);
    if (!in) {
        image.error = "cannot open " + utf8_path;
        return image;
    }
    const Reader r(std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));
    if (r.u16(0) != 0x5A4D) {  // "MZ"
        image.error = "not a PE file";
        return image;
    }
    const std::size_t pe = r.u32(0x3C);
    if (r.u32(pe) != 0x00004550) {  // "PE\0\0"
        image.error = "no PE signature";
        return image;
    }
    const std::size_t coff = pe + 4;
    const std::uint32_t section_count = r.u16(coff + 2);
    const std::uint32_t optional_size = r.u16(coff + 16);
    const std::size_t optional = coff + 20;
    const std::uint32_t magic = r.u16(optional);
    const std::size_t directories = optional + (magic == 0x20B ? 112 : 96);  // PE32+ or PE32
    std::vector<Section> sections;
    for (std::uint32_t i = 0; i < section_count; ++i) {
        const std::size_t s = optional + optional_size + i * 40;
        sections.push_back({r.u32(s + 12), std::max(r.u32(s + 8), r.u32(s + 16)), r.u32(s + 20)});
    }
    // The file offset of a relative virtual address, or 0 when no section holds it.
    auto offset_of = [&](std::uint32_t rva) -> std::size_t {
        for (const Section& s : sections)
            if (rva >= s.rva && rva - s.rva < s.size) return s.file_offset + (rva - s.rva);
        return 0;
    };

    if (const std::uint32_t rva = r.u32(directories); rva != 0) {
        const std::size_t dir = offset_of(rva);
        const std::uint32_t names = r.u32(dir + 24);
        const std::size_t name_table = offset_of(r.u32(dir + 32));
        for (std::uint32_t i = 0; i < names && dir != 0 && name_table != 0; ++i)
            image.exports.push_back(r.text(offset_of(r.u32(name_table + 4 * i))));
    }
    // The import table (20-byte entries, the DLL's name at 12) and the delay-load table (32-byte
    // entries, the name at 4), each ending with an entry of zeros.
    const struct {
        int directory;
        std::size_t entry, name_at;
    } tables[] = {{1, 20, 12}, {13, 32, 4}};
    for (const auto& t : tables) {
        const std::uint32_t rva = r.u32(directories + 8 * t.directory);
        if (rva == 0) continue;
        for (std::size_t e = offset_of(rva); e != 0 && r.has(e, t.entry); e += t.entry) {
            const std::uint32_t name = r.u32(e + t.name_at);
            if (name == 0) break;
            image.imports.push_back(r.text(offset_of(name)));
        }
    }
    return image;
}

bool is_windows_system_dll(const std::string& name) {
    static const char* const kSystem[] = {
        "kernel32.dll", "user32.dll",   "gdi32.dll",    "advapi32.dll",      "shell32.dll",
        "ole32.dll",    "oleaut32.dll", "comctl32.dll", "comdlg32.dll",      "msvcrt.dll",
        "ws2_32.dll",   "shlwapi.dll",  "uxtheme.dll",  "version.dll",       "winmm.dll",
        "imm32.dll",    "ntdll.dll",    "dwmapi.dll",   "windowscodecs.dll",
    };
    std::string folded = name;
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::find(std::begin(kSystem), std::end(kSystem), folded) != std::end(kSystem);
}

}  // namespace test_support
