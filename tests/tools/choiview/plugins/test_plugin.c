/* A plug-in for the loader's tests: the first word of the file says what it returns. Built
 * once more without GetPicture, as a library that is not a plug-in. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include "pelmora_spi.h"

SPI_EXPORT int GetPluginInfo(int infono, char* buf, int buflen) {
    const char* text = infono == 0 ? "00IN" : infono == 1 ? "loader test plug-in" : NULL;
    if (text == NULL || buflen < 1) return 0;
    snprintf(buf, (size_t)buflen, "%s", text);
    return (int)strlen(buf);
}

#ifndef WITHOUT_GET_PICTURE
/* The 3 x 2 picture of "ok": top row red, green, blue; bottom row white, black, grey. */
static const uint8_t kTopRow[] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
static const uint8_t kBottomRow[] = {255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0};

static void Blocks(SPI_HLOCAL* info, SPI_HLOCAL* pixels, size_t infoSize, size_t pixelSize, int width, int height,
                  int bits, uint32_t colors) {
    *info = SpiLocalAlloc(infoSize);
    *pixels = SpiLocalAlloc(pixelSize);
    SPI_BITMAPINFOHEADER* header = SpiLocalLock(*info);
    header->biSize = 40;
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = (uint16_t)bits;
    header->biClrUsed = colors;
    SpiLocalUnlock(*info);
}

SPI_EXPORT int GetPicture(const char* buf, long len, unsigned int flag, SPI_HLOCAL* info, SPI_HLOCAL* pixels,
                          SPI_PROGRESS_CALLBACK progress, long data) {
    (void)len;
    (void)flag;
    (void)progress;
    (void)data;
    *info = *pixels = NULL;
    char word[32] = "";
    FILE* file = fopen(buf, "rb");
    if (file == NULL) return SPI_FILE_READ_ERROR;
    const int read = fscanf(file, "%31s", word);
    fclose(file);
    if (read != 1) return SPI_UNKNOWN_FORMAT;

    if (strcmp(word, "ok") == 0 || strcmp(word, "topdown") == 0) {
        const int topDown = word[0] == 't';
        Blocks(info, pixels, 40, 24, 3, topDown ? -2 : 2, 24, 0);
        uint8_t* rows = SpiLocalLock(*pixels);
        memcpy(rows, topDown ? kTopRow : kBottomRow, 12);
        memcpy(rows + 12, topDown ? kBottomRow : kTopRow, 12);
        return SPI_SUCCESS;
    }
    if (strcmp(word, "palette") == 0) {
        /* 2 x 1, two colours: index 1 then 0. */
        Blocks(info, pixels, 48, 4, 2, 1, 8, 2);
        SPI_RGBQUAD* palette = (SPI_RGBQUAD*)((uint8_t*)SpiLocalLock(*info) + 40);
        palette[0] = (SPI_RGBQUAD){10, 20, 30, 0};
        palette[1] = (SPI_RGBQUAD){40, 50, 60, 0};
        ((uint8_t*)SpiLocalLock(*pixels))[0] = 1;
        return SPI_SUCCESS;
    }
    if (strcmp(word, "fail") == 0) return SPI_BROKEN_DATA;
    if (strcmp(word, "crash") == 0) abort();
    if (strcmp(word, "error-with-blocks") == 0) {
        Blocks(info, pixels, 40, 24, 3, 2, 24, 0);
        return SPI_UNKNOWN_FORMAT;
    }
    if (strcmp(word, "too-big") == 0) {
        /* A header of 100 x 100 over a pixel block for 3 x 2. */
        Blocks(info, pixels, 40, 24, 100, 100, 24, 0);
        return SPI_SUCCESS;
    }
    if (strcmp(word, "short-palette") == 0) {
        Blocks(info, pixels, 48, 4, 2, 1, 8, 256);
        return SPI_SUCCESS;
    }
    if (strcmp(word, "hang") == 0) {
        /* Never returns; its process id goes to the file's path + ".pid" for the test to watch. */
        char pidPath[4096];
        snprintf(pidPath, sizeof pidPath, "%s.pid", buf);
        FILE* pidFile = fopen(pidPath, "w");
        if (pidFile != NULL) {
            fprintf(pidFile, "%ld\n", (long)getpid());
            fclose(pidFile);
        }
        for (;;) pause();
    }
    if (strcmp(word, "process-facts") == 0) {
        /* What the process running the plug-in is: its core file limit, whether it is
         * dumpable and its process id, into the file's path + ".facts". */
        char factsPath[4096];
        snprintf(factsPath, sizeof factsPath, "%s.facts", buf);
        FILE* facts = fopen(factsPath, "w");
        if (facts == NULL) return SPI_BROKEN_DATA;
        struct rlimit core;
        getrlimit(RLIMIT_CORE, &core);
        fprintf(facts, "%llu %d %ld\n", (unsigned long long)core.rlim_cur, prctl(PR_GET_DUMPABLE), (long)getpid());
        fclose(facts);
        return SPI_BROKEN_DATA;
    }
    if (strcmp(word, "16bit") == 0) {
        Blocks(info, pixels, 40, 8, 2, 2, 16, 0);
        return SPI_SUCCESS;
    }
    return SPI_UNKNOWN_FORMAT;
}
#endif
