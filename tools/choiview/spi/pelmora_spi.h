/*
 * pelmora_spi.h - the interface of Pelmora's image-reader plug-ins.
 *
 * A plug-in is a shared library named like "ifPNG.spi" that exports GetPicture and
 * GetPluginInfo with C linkage. It decodes a picture into two blocks:
 *
 *  - the information block: a 40-byte SPI_BITMAPINFOHEADER, followed for 1, 4 and 8 bits
 *    per pixel by the palette (biClrUsed entries, or 2^biBitCount when biClrUsed is 0);
 *  - the pixel block: the rows of a device-independent bitmap, bottom row first (top row
 *    first when biHeight is negative), each row padded to a multiple of 4 bytes; 24-bit
 *    pixels are blue, green, red; 32-bit pixels blue, green, red, unused.
 *
 * The blocks are allocated with SpiLocalAlloc, which the program provides; the program
 * locks, reads, unlocks and frees them. A plug-in links against nothing of Pelmora: the
 * block functions are resolved in the program when the plug-in is loaded.
 *
 * This header is plain C (C99) and self-contained.
 */
#ifndef PELMORA_SPI_H
#define PELMORA_SPI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define SPI_EXPORT __attribute__((visibility("default")))
#else
#define SPI_EXPORT
#endif

/* Result codes of GetPicture. */
#define SPI_SUCCESS 0
#define SPI_NOT_IMPLEMENTED (-1)
#define SPI_CANCELLED 1        /* the progress callback asked to stop */
#define SPI_UNKNOWN_FORMAT 2
#define SPI_BROKEN_DATA 3
#define SPI_NO_MEMORY 4        /* a block could not be allocated */
#define SPI_MEMORY_ERROR 5     /* a block could not be locked */
#define SPI_FILE_READ_ERROR 6
#define SPI_RESERVED 7
#define SPI_INTERNAL_ERROR 8

/* The source of GetPicture: the low three bits of its flag. */
#define SPI_INPUT_FILE 0   /* buf is a file name, len the offset of the picture in the file */
#define SPI_INPUT_MEMORY 1 /* buf points at the picture's bytes, len is their count */
#define SPI_INPUT_MASK 7

/* Compression of a DIB: only uncompressed rows. */
#define SPI_BI_RGB 0

/* A block handle; 0 (NULL) stands for no block. */
typedef void* SPI_HLOCAL;

typedef struct SPI_BITMAPINFOHEADER {
    uint32_t biSize; /* 40 */
    int32_t biWidth;
    int32_t biHeight; /* positive: bottom row first; negative: top row first */
    uint16_t biPlanes; /* 1 */
    uint16_t biBitCount; /* 1, 4, 8, 24 or 32 */
    uint32_t biCompression; /* SPI_BI_RGB */
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
} SPI_BITMAPINFOHEADER;

typedef struct SPI_RGBQUAD {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
} SPI_RGBQUAD;

/* Progress: called with the work done (num) out of denom; a non-zero return cancels. The
 * program passes none (NULL). */
typedef int (*SPI_PROGRESS_CALLBACK)(int num, int denom, long data);

/*
 * The block functions, provided by the program (counterparts of LocalAlloc, LocalLock,
 * LocalUnlock and LocalFree):
 *  SpiLocalAlloc  a zero-filled block of size bytes; 0 when out of memory.
 *  SpiLocalLock   the block's bytes; NULL for handle 0.
 *  SpiLocalUnlock ends a lock; returns 0.
 *  SpiLocalFree   frees the block (0 is allowed); returns 0.
 *  SpiLocalSize   the block's size in bytes; 0 for handle 0.
 */
SPI_HLOCAL SpiLocalAlloc(size_t size);
void* SpiLocalLock(SPI_HLOCAL block);
int SpiLocalUnlock(SPI_HLOCAL block);
SPI_HLOCAL SpiLocalFree(SPI_HLOCAL block);
size_t SpiLocalSize(SPI_HLOCAL block);

/*
 * Exported by a plug-in.
 *
 * GetPluginInfo writes the text of entry infono into buf (at most buflen bytes including the
 * terminating NUL) and returns its length without the NUL, or 0 when there is no such entry:
 *   0: the interface version, "00IN" for an image reader;
 *   1: the plug-in's name and author;
 *   2n + 2: the file patterns of format n, e.g. "*.png";
 *   2n + 3: the name of format n, e.g. "PNG".
 *
 * GetPicture decodes the picture named by buf and flag (see SPI_INPUT_*). On SPI_SUCCESS,
 * *info and *pixels hold the two blocks, which the program frees; on failure both are 0.
 */
SPI_EXPORT int GetPluginInfo(int infono, char* buf, int buflen);
SPI_EXPORT int GetPicture(const char* buf, long len, unsigned int flag, SPI_HLOCAL* info, SPI_HLOCAL* pixels,
                          SPI_PROGRESS_CALLBACK progress, long data);

#ifdef __cplusplus
}
#endif

#endif /* PELMORA_SPI_H */
