// A minimal PNG encoder (8-bit RGB, stored deflate blocks): screenshots need no compression, and this
// keeps the test tools free of outside libraries.
#pragma once

#include <string>
#include <vector>

namespace uidriver {
// rgb holds nWidth * nHeight pixels, rows top to bottom, 3 bytes each. Returns the PNG file's bytes.
std::string EncodePng(int nWidth, int nHeight, const std::vector<unsigned char>& rgb);
}
