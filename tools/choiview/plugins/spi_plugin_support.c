#include "spi_plugin_support.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

/* Files larger than this are not pictures this program shows. */
#define SPI_MAX_INPUT ((long)1 << 30)

/* A regular file is mapped rather than read: no copy of a large picture's bytes, nor memory
 * of its own for them. A file cut short meanwhile faults the helper, which the program
 * takes as a plug-in that failed. False when it cannot be mapped (then it is read). */
static int MapFile(const char* path, long offset, SpiInput* input) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    struct stat facts;
    void* mapped = MAP_FAILED;
    if (fstat(fd, &facts) == 0 && S_ISREG(facts.st_mode) && facts.st_size > offset &&
        facts.st_size - offset <= SPI_MAX_INPUT)
        mapped = mmap(NULL, (size_t)facts.st_size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    close(fd);
    if (mapped == MAP_FAILED) return 0;
    input->mapped = mapped;
    input->mappedSize = (size_t)facts.st_size;
    input->bytes = (const uint8_t*)mapped + offset;
    input->size = (size_t)(facts.st_size - offset);
    return 1;
}

int SpiInputRead(const char* buf, long len, unsigned int flag, SpiInput* input) {
    memset(input, 0, sizeof *input);
    if (buf == NULL) return SPI_FILE_READ_ERROR;
    if ((flag & SPI_INPUT_MASK) == SPI_INPUT_MEMORY) {
        if (len < 0) return SPI_BROKEN_DATA;
        input->bytes = (const uint8_t*)buf;
        input->size = (size_t)len;
        return SPI_SUCCESS;
    }
    if ((flag & SPI_INPUT_MASK) != SPI_INPUT_FILE || len < 0) return SPI_NOT_IMPLEMENTED;
    if (MapFile(buf, len, input)) return SPI_SUCCESS;
    FILE* file = fopen(buf, "rb");
    if (file == NULL) return SPI_FILE_READ_ERROR;
    int code = SPI_FILE_READ_ERROR;
    long end = 0;
    if (fseek(file, 0, SEEK_END) == 0 && (end = ftell(file)) >= len && fseek(file, len, SEEK_SET) == 0) {
        const long size = end - len;
        if (size > SPI_MAX_INPUT) {
            code = SPI_NO_MEMORY;
        } else {
            input->owned = malloc(size > 0 ? (size_t)size : 1);
            if (input->owned == NULL) {
                code = SPI_NO_MEMORY;
            } else if (fread(input->owned, 1, (size_t)size, file) == (size_t)size) {
                input->bytes = input->owned;
                input->size = (size_t)size;
                code = SPI_SUCCESS;
            }
        }
    }
    fclose(file);
    if (code != SPI_SUCCESS) SpiInputFree(input);
    return code;
}

void SpiInputFree(SpiInput* input) {
    free(input->owned);
    if (input->mapped != NULL) munmap(input->mapped, input->mappedSize);
    memset(input, 0, sizeof *input);
}

int SpiBitmapCreate(SpiBitmap* bitmap, int width, int height, int bitCount) {
    memset(bitmap, 0, sizeof *bitmap);
    if (width <= 0 || height <= 0 || (bitCount != 8 && bitCount != 24)) return SPI_BROKEN_DATA;
    if ((uint64_t)width * (uint64_t)height > SPI_MAX_PIXELS) return SPI_NO_MEMORY;
    const size_t colors = bitCount == 8 ? 256 : 0;
    const size_t stride = ((size_t)width * (size_t)bitCount + 31) / 32 * 4;
    bitmap->info = SpiLocalAlloc(sizeof(SPI_BITMAPINFOHEADER) + colors * sizeof(SPI_RGBQUAD));
    bitmap->pixels = SpiLocalAlloc(stride * (size_t)height);
    SPI_BITMAPINFOHEADER* header = SpiLocalLock(bitmap->info);
    bitmap->bits = SpiLocalLock(bitmap->pixels);
    if (header == NULL || bitmap->bits == NULL) {
        SpiBitmapDrop(bitmap);
        return SPI_NO_MEMORY;
    }
    header->biSize = sizeof *header;
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = (uint16_t)bitCount;
    header->biCompression = SPI_BI_RGB;
    header->biSizeImage = (uint32_t)(stride * (size_t)height);
    header->biClrUsed = (uint32_t)colors;
    bitmap->palette = colors > 0 ? (SPI_RGBQUAD*)(header + 1) : NULL;
    bitmap->stride = stride;
    bitmap->width = width;
    bitmap->height = height;
    return SPI_SUCCESS;
}

uint8_t* SpiBitmapRow(const SpiBitmap* bitmap, int y) {
    return bitmap->bits + (size_t)(bitmap->height - 1 - y) * bitmap->stride;
}

void SpiBitmapDeliver(SpiBitmap* bitmap, SPI_HLOCAL* info, SPI_HLOCAL* pixels) {
    SpiLocalUnlock(bitmap->info);
    SpiLocalUnlock(bitmap->pixels);
    *info = bitmap->info;
    *pixels = bitmap->pixels;
    memset(bitmap, 0, sizeof *bitmap);
}

void SpiBitmapDrop(SpiBitmap* bitmap) {
    SpiLocalFree(bitmap->info);
    SpiLocalFree(bitmap->pixels);
    memset(bitmap, 0, sizeof *bitmap);
}

int SpiPluginInfo(int infono, char* buf, int buflen, const char* const* entries, int count) {
    if (infono < 0 || infono >= count || buf == NULL || buflen <= 0) return 0;
    const size_t length = strlen(entries[infono]);
    const size_t copied = length < (size_t)buflen - 1 ? length : (size_t)buflen - 1;
    memcpy(buf, entries[infono], copied);
    buf[copied] = '\0';
    return (int)copied;
}

int SpiGetPicture(const char* buf, long len, unsigned int flag, SPI_HLOCAL* info, SPI_HLOCAL* pixels,
                  SpiDecoder decode) {
    if (info == NULL || pixels == NULL) return SPI_INTERNAL_ERROR;
    *info = NULL;
    *pixels = NULL;
    SpiInput input;
    int code = SpiInputRead(buf, len, flag, &input);
    if (code != SPI_SUCCESS) return code;
    SpiBitmap bitmap;
    memset(&bitmap, 0, sizeof bitmap);
    code = decode(&input, &bitmap);
    SpiInputFree(&input);
    if (code == SPI_SUCCESS) {
        SpiBitmapDeliver(&bitmap, info, pixels);
    } else {
        SpiBitmapDrop(&bitmap);
    }
    return code;
}
