/* iftiff.spi: TIFF pictures through libtiff (the first page), as 24-bit bitmaps. Transparent
 * pixels are shown over white. */
#include <stdlib.h>
#include <string.h>

#include <tiffio.h>

#include "spi_plugin_support.h"

static const char* const kInfo[] = {"00IN", "iftiff.spi for Pelmora (libtiff)", "*.tif;*.tiff", "TIFF"};

typedef struct TiffSource {
    const uint8_t* bytes;
    toff_t size;
    toff_t at;
} TiffSource;

static tmsize_t ReadFromMemory(thandle_t handle, void* out, tmsize_t count) {
    TiffSource* source = handle;
    if (count < 0) return -1;
    const toff_t left = source->at < source->size ? source->size - source->at : 0;
    const toff_t copied = (toff_t)count < left ? (toff_t)count : left;
    if (copied == 0) return 0;
    memcpy(out, source->bytes + source->at, (size_t)copied);
    source->at += copied;
    return (tmsize_t)copied;
}

static tmsize_t RefuseWrite(thandle_t handle, void* in, tmsize_t count) {
    (void)handle;
    (void)in;
    (void)count;
    return -1;
}

static toff_t SeekInMemory(thandle_t handle, toff_t offset, int whence) {
    TiffSource* source = handle;
    toff_t base = 0;
    if (whence == SEEK_CUR) base = source->at;
    if (whence == SEEK_END) base = source->size;
    /* Offsets are unsigned; a "negative" one wraps, and a place past the end reads nothing. */
    source->at = base + offset;
    return source->at;
}

static int CloseNothing(thandle_t handle) {
    (void)handle;
    return 0;
}

static toff_t SizeInMemory(thandle_t handle) { return ((TiffSource*)handle)->size; }

static int MapNothing(thandle_t handle, void** base, toff_t* size) {
    (void)handle;
    (void)base;
    (void)size;
    return 0;
}

static void UnmapNothing(thandle_t handle, void* base, toff_t size) {
    (void)handle;
    (void)base;
    (void)size;
}

static uint8_t OverWhite(uint32_t value, uint32_t alpha) {
    return (uint8_t)((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

static void Quiet(const char* module, const char* format, va_list arguments);

static int Decode(const SpiInput* input, SpiBitmap* bitmap) {
    /* libtiff writes its complaints to standard error otherwise. */
    TIFFSetErrorHandler(Quiet);
    TIFFSetWarningHandler(Quiet);
    TiffSource source = {input->bytes, input->size, 0};
    TIFF* tiff = TIFFClientOpen("picture", "rm", &source, ReadFromMemory, RefuseWrite, SeekInMemory, CloseNothing,
                                SizeInMemory, MapNothing, UnmapNothing);
    if (tiff == NULL) return SPI_UNKNOWN_FORMAT;
    uint32_t width = 0;
    uint32_t height = 0;
    int code = SPI_BROKEN_DATA;
    char why[1024];
    if (TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) && TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height) &&
        TIFFRGBAImageOK(tiff, why)) {
        code = (uint64_t)width * height > SPI_MAX_PIXELS ? SPI_NO_MEMORY
                                                          : SpiBitmapCreate(bitmap, (int)width, (int)height, 24);
    }
    uint32_t* raster = code == SPI_SUCCESS ? _TIFFmalloc((tmsize_t)((uint64_t)width * height * 4)) : NULL;
    if (code == SPI_SUCCESS && raster == NULL) code = SPI_NO_MEMORY;
    if (code == SPI_SUCCESS && !TIFFReadRGBAImageOriented(tiff, width, height, raster, ORIENTATION_TOPLEFT, 0))
        code = SPI_BROKEN_DATA;
    if (code == SPI_SUCCESS) {
        for (uint32_t y = 0; y < height; ++y) {
            const uint32_t* in = raster + (size_t)y * width;
            uint8_t* out = SpiBitmapRow(bitmap, (int)y);
            for (uint32_t x = 0; x < width; ++x, out += 3) {
                const uint32_t pixel = in[x];
                const uint32_t alpha = TIFFGetA(pixel);
                out[0] = OverWhite(TIFFGetB(pixel), alpha);
                out[1] = OverWhite(TIFFGetG(pixel), alpha);
                out[2] = OverWhite(TIFFGetR(pixel), alpha);
            }
        }
    }
    if (raster != NULL) _TIFFfree(raster);
    TIFFClose(tiff);
    return code;
}

static void Quiet(const char* module, const char* format, va_list arguments) {
    (void)module;
    (void)format;
    (void)arguments;
}

SPI_PLUGIN_EXPORTS(kInfo, Decode)
