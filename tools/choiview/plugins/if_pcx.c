/* ifPCX.spi: PCX pictures, decoded here: 1 bit (black and white), 16 colours (1 bit in 2 to 4
 * planes, or 4 bits in one), 256 colours with the palette at the file's end, and 24 bits
 * (three 8-bit planes); run-length coded or plain. */
#include <stdlib.h>
#include <string.h>

#include "spi_plugin_support.h"

static const char* const kInfo[] = {"00IN", "ifPCX.spi for Pelmora", "*.pcx", "PCX"};

enum { kHeaderSize = 128, kPaletteMark = 0x0c, kEndPaletteSize = 769 };

static unsigned Read16(const uint8_t* at) { return (unsigned)at[0] | (unsigned)at[1] << 8; }

/* The run-length stream, read one scan line at a time; a run may go on into the next line. */
typedef struct PcxStream {
    const uint8_t* at;
    const uint8_t* end;
    int coded;
    unsigned runLeft;
    uint8_t runValue;
} PcxStream;

/* Fills line with count bytes; 0 when the data ends first. */
static int ReadLine(PcxStream* stream, uint8_t* line, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (stream->runLeft == 0) {
            if (stream->at >= stream->end) return 0;
            const uint8_t byte = *stream->at++;
            if (stream->coded && (byte & 0xc0) == 0xc0) {
                if (stream->at >= stream->end) return 0;
                stream->runLeft = byte & 0x3fu;
                stream->runValue = *stream->at++;
                if (stream->runLeft == 0) {
                    --i;
                    continue;
                }
            } else {
                stream->runLeft = 1;
                stream->runValue = byte;
            }
        }
        line[i] = stream->runValue;
        --stream->runLeft;
    }
    return 1;
}

typedef enum { kMono, kPlanar16, kPacked16, kIndexed256, kTrueColour } PcxForm;

static int FormOf(unsigned bits, unsigned planes, PcxForm* form) {
    if (bits == 1 && planes == 1) *form = kMono;
    else if (bits == 1 && planes >= 2 && planes <= 4) *form = kPlanar16;
    else if (bits == 4 && planes == 1) *form = kPacked16;
    else if (bits == 8 && planes == 1) *form = kIndexed256;
    else if (bits == 8 && (planes == 3 || planes == 4)) *form = kTrueColour;
    else return 0;
    return 1;
}

static void SetPalette(SpiBitmap* bitmap, const uint8_t* rgb, int count) {
    for (int i = 0; i < count; ++i) {
        bitmap->palette[i].rgbRed = rgb[i * 3];
        bitmap->palette[i].rgbGreen = rgb[i * 3 + 1];
        bitmap->palette[i].rgbBlue = rgb[i * 3 + 2];
    }
}

static int Decode(const SpiInput* input, SpiBitmap* bitmap) {
    const uint8_t* file = input->bytes;
    if (input->size < kHeaderSize || file[0] != 0x0a || file[2] > 1) return SPI_UNKNOWN_FORMAT;
    const unsigned bits = file[3];
    const unsigned planes = file[65];
    const unsigned lineBytes = Read16(file + 66);
    const unsigned left = Read16(file + 4), top = Read16(file + 6);
    const unsigned right = Read16(file + 8), bottom = Read16(file + 10);
    PcxForm form;
    if (!FormOf(bits, planes, &form) || right < left || bottom < top) return SPI_BROKEN_DATA;
    const int width = (int)(right - left + 1);
    const int height = (int)(bottom - top + 1);
    /* Each plane's line must hold the width's pixels. */
    if ((uint64_t)lineBytes * 8 < (uint64_t)width * bits) return SPI_BROKEN_DATA;
    if ((uint64_t)width * (uint64_t)height > SPI_MAX_PIXELS) return SPI_NO_MEMORY;

    const uint8_t* dataEnd = file + input->size;
    int code = SpiBitmapCreate(bitmap, width, height, form == kTrueColour ? 24 : 8);
    if (code != SPI_SUCCESS) return code;
    if (form == kMono) {
        static const uint8_t kBlackWhite[] = {0, 0, 0, 255, 255, 255};
        SetPalette(bitmap, kBlackWhite, 2);
    } else if (form == kIndexed256) {
        if (input->size >= kHeaderSize + kEndPaletteSize && file[input->size - kEndPaletteSize] == kPaletteMark) {
            SetPalette(bitmap, file + input->size - kEndPaletteSize + 1, 256);
            dataEnd -= kEndPaletteSize;
        } else {
            /* No palette: grey levels. */
            for (int i = 0; i < 256; ++i) {
                bitmap->palette[i].rgbRed = bitmap->palette[i].rgbGreen = bitmap->palette[i].rgbBlue = (uint8_t)i;
            }
        }
    } else if (form != kTrueColour) {
        SetPalette(bitmap, file + 16, 16);
    }

    const size_t scanBytes = (size_t)lineBytes * planes;
    uint8_t* scan = malloc(scanBytes > 0 ? scanBytes : 1);
    if (scan == NULL) return SPI_NO_MEMORY;
    PcxStream stream = {file + kHeaderSize, dataEnd, file[2] == 1, 0, 0};
    /* A file cut short keeps the rows it has; the rest stay as the first palette entry. */
    int y = 0;
    for (; y < height && ReadLine(&stream, scan, scanBytes); ++y) {
        uint8_t* out = SpiBitmapRow(bitmap, y);
        for (int x = 0; x < width; ++x) {
            switch (form) {
                case kMono:
                    out[x] = (uint8_t)((scan[x / 8] >> (7 - x % 8)) & 1);
                    break;
                case kPlanar16: {
                    unsigned index = 0;
                    for (unsigned p = 0; p < planes; ++p)
                        index |= (unsigned)((scan[p * lineBytes + (unsigned)x / 8] >> (7 - x % 8)) & 1) << p;
                    out[x] = (uint8_t)index;
                    break;
                }
                case kPacked16:
                    out[x] = (uint8_t)((scan[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xf);
                    break;
                case kIndexed256:
                    out[x] = scan[x];
                    break;
                case kTrueColour:
                    out[x * 3] = scan[2 * lineBytes + (unsigned)x];
                    out[x * 3 + 1] = scan[lineBytes + (unsigned)x];
                    out[x * 3 + 2] = scan[x];
                    break;
            }
        }
    }
    free(scan);
    return y > 0 ? SPI_SUCCESS : SPI_BROKEN_DATA;
}

SPI_PLUGIN_EXPORTS(kInfo, Decode)
