// A small PNG writer for pictures of panels: 8-bit RGB rows, each filtered with whichever of the
// standard row filters packs it best, compressed with deflate (LZ77 matching and the fixed
// Huffman codes). Screens of flat colours shrink to a few percent of their raw size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace png {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes, rows top to bottom
};

// The PNG file's bytes; empty for an image of no pixels or whose buffer does not match its size.
std::vector<std::uint8_t> encode(const Image& image);

// The zlib stream (RFC 1950) of `data`, as PNG embeds it.
std::vector<std::uint8_t> zlib_compress(const std::vector<std::uint8_t>& data);

// Writes the file; false when it cannot be written completely. The path is UTF-8.
bool write_file(const std::string& path, const Image& image);

}  // namespace png
