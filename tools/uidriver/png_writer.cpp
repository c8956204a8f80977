#include "tools/uidriver/png_writer.h"

#include <cstdint>

namespace uidriver {
namespace {

uint32_t Crc32(const std::string& bytes, size_t nFrom) {
    static uint32_t table[256];
    static bool bReady = false;
    if (!bReady) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        bReady = true;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = nFrom; i < bytes.size(); ++i)
        crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void Put32(std::string& out, uint32_t v) {
    out += static_cast<char>(v >> 24);
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

void Chunk(std::string& out, const char* szType, const std::string& data) {
    Put32(out, static_cast<uint32_t>(data.size()));
    std::string body = std::string(szType, 4) + data;
    out += body;
    Put32(out, Crc32(body, 0));
}

}  // namespace

std::string EncodePng(int nWidth, int nHeight, const std::vector<unsigned char>& rgb) {
    std::string raw;  // filter byte 0 before every row
    size_t nRow = static_cast<size_t>(nWidth) * 3;
    for (int y = 0; y < nHeight; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(rgb.data()) + y * nRow, nRow);
    }

    std::string zlib("\x78\x01", 2);
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    size_t nPos = 0;
    do {
        size_t nBlock = raw.size() - nPos > 65535 ? 65535 : raw.size() - nPos;
        bool bFinal = nPos + nBlock == raw.size();
        zlib += static_cast<char>(bFinal ? 1 : 0);
        zlib += static_cast<char>(nBlock & 0xFF);
        zlib += static_cast<char>(nBlock >> 8);
        zlib += static_cast<char>(~nBlock & 0xFF);
        zlib += static_cast<char>((~nBlock >> 8) & 0xFF);
        zlib.append(raw, nPos, nBlock);
        nPos += nBlock;
    } while (nPos < raw.size());
    Put32(zlib, (b << 16) | a);

    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    Put32(header, static_cast<uint32_t>(nWidth));
    Put32(header, static_cast<uint32_t>(nHeight));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit, truecolour, deflate, no filter, no interlace
    Chunk(out, "IHDR", header);
    Chunk(out, "IDAT", zlib);
    Chunk(out, "IEND", "");
    return out;
}

}  // namespace uidriver
