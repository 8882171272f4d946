#pragma once
// The check a BMP file passes before the platform's image loader sees it:
// that loader trusts the headers and reads past the end of a file whose
// colour table or pixels are cut short.
#include <cstddef>
#include <cstdint>

// Null when the image's headers, colour table and pixels are whole and
// describe a picture the loader can make (1, 4, 8, 16, 24 or 32 bits;
// uncompressed, run-length or bit fields; 1 to 32767 pixels each way); else
// the reason, in words for the report log.
const char* CheckBmpImage(const uint8_t* image, size_t size);
