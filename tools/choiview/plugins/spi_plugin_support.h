/* What every image-reader plug-in that ships with Pelmora shares: reading its input (a file
 * or bytes in memory), making the two blocks of a bitmap, and answering GetPluginInfo. */
#ifndef SPI_PLUGIN_SUPPORT_H
#define SPI_PLUGIN_SUPPORT_H

#include <stddef.h>
#include <stdint.h>

#include "pelmora_spi.h"

/* The largest picture decoded, in pixels: the largest the program shows (the fuzz builds make
 * it smaller). */
#ifndef SPI_MAX_PIXELS
#define SPI_MAX_PIXELS ((uint64_t)1 << 26)
#endif

typedef struct SpiInput {
    const uint8_t* bytes;
    size_t size;
    uint8_t* owned; /* the bytes read from a file; freed by SpiInputFree */
    void* mapped;   /* or the file mapped whole; unmapped by SpiInputFree */
    size_t mappedSize;
} SpiInput;

/* The picture's bytes, as GetPicture's buf, len and flag name them. SPI_SUCCESS or a code. */
int SpiInputRead(const char* buf, long len, unsigned int flag, SpiInput* input);
void SpiInputFree(SpiInput* input);

typedef struct SpiBitmap {
    SPI_HLOCAL info;
    SPI_HLOCAL pixels;
    SPI_RGBQUAD* palette; /* 2^bits entries for 8 bits or fewer, else NULL */
    uint8_t* bits;
    size_t stride;
    int width;
    int height;
} SpiBitmap;

/* Allocates the blocks of a bottom-up bitmap of 8 or 24 bits. SPI_SUCCESS or a code. */
int SpiBitmapCreate(SpiBitmap* bitmap, int width, int height, int bitCount);
/* The row y counted from the top. */
uint8_t* SpiBitmapRow(const SpiBitmap* bitmap, int y);
/* Hands the blocks to the caller of GetPicture. */
void SpiBitmapDeliver(SpiBitmap* bitmap, SPI_HLOCAL* info, SPI_HLOCAL* pixels);
/* Frees the blocks after a failure. */
void SpiBitmapDrop(SpiBitmap* bitmap);

/* GetPicture of a plug-in whose decoder fills a bitmap from the input's bytes. */
typedef int (*SpiDecoder)(const SpiInput* input, SpiBitmap* bitmap);
int SpiGetPicture(const char* buf, long len, unsigned int flag, SPI_HLOCAL* info, SPI_HLOCAL* pixels,
                  SpiDecoder decode);

/* GetPluginInfo over entries (version, name, then pattern and format name per format). */
int SpiPluginInfo(int infono, char* buf, int buflen, const char* const* entries, int count);

/* The two exports of a plug-in whose decoder is `decode` and whose GetPluginInfo answers are
 * `info` (an array of strings). The progress callback is not called: decoding is quick. */
#define SPI_PLUGIN_EXPORTS(info, decode)                                                            \
    SPI_EXPORT int GetPluginInfo(int infono, char* buf, int buflen) {                              \
        return SpiPluginInfo(infono, buf, buflen, info, (int)(sizeof info / sizeof info[0]));      \
    }                                                                                              \
    SPI_EXPORT int GetPicture(const char* buf, long len, unsigned int flag, SPI_HLOCAL* info_out, \
                              SPI_HLOCAL* pixels, SPI_PROGRESS_CALLBACK progress, long data) {     \
        (void)progress;                                                                            \
        (void)data;                                                                                \
        return SpiGetPicture(buf, len, flag, info_out, pixels, decode);                            \
    }

#endif
