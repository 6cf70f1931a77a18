/* ifgif.spi: GIF pictures through giflib (the first frame on the logical screen), as 8-bit
 * bitmaps with the frame's palette. The screen around a smaller frame and its transparent
 * pixels take the background colour. */
#include <stdlib.h>
#include <string.h>

#include <gif_lib.h>

#include "spi_plugin_support.h"

static const char* const kInfo[] = {"00IN", "ifgif.spi for Pelmora (giflib)", "*.gif", "GIF"};

typedef struct GifSource {
    const uint8_t* bytes;
    size_t size;
    size_t at;
} GifSource;

static int ReadFromMemory(GifFileType* gif, GifByteType* out, int count) {
    GifSource* source = gif->UserData;
    if (count <= 0) return 0;
    const size_t left = source->size - source->at;
    const size_t copied = (size_t)count < left ? (size_t)count : left;
    if (copied > 0) memcpy(out, source->bytes + source->at, copied);
    source->at += copied;
    return (int)copied;
}

/* The first frame on the screen; only its rows are held, not the whole file's frames. */
static int DrawFirstFrame(GifFileType* gif, int transparent, SpiBitmap* bitmap) {
    const GifImageDesc* place = &gif->Image;
    const ColorMapObject* colors = place->ColorMap != NULL ? place->ColorMap : gif->SColorMap;
    if (colors == NULL || colors->Colors == NULL) return SPI_BROKEN_DATA;
    if (place->Left < 0 || place->Top < 0 || place->Width <= 0 || place->Height <= 0) return SPI_BROKEN_DATA;
    /* A frame reaching past the screen widens the picture, as viewers show such files. */
    const int64_t right = (int64_t)place->Left + place->Width;
    const int64_t bottom = (int64_t)place->Top + place->Height;
    const int64_t width = right > gif->SWidth ? right : gif->SWidth;
    const int64_t height = bottom > gif->SHeight ? bottom : gif->SHeight;
    if ((uint64_t)width * (uint64_t)height > SPI_MAX_PIXELS) return SPI_NO_MEMORY;
    int code = SpiBitmapCreate(bitmap, (int)width, (int)height, 8);
    if (code != SPI_SUCCESS) return code;
    for (int i = 0; i < colors->ColorCount && i < 256; ++i) {
        bitmap->palette[i].rgbRed = colors->Colors[i].Red;
        bitmap->palette[i].rgbGreen = colors->Colors[i].Green;
        bitmap->palette[i].rgbBlue = colors->Colors[i].Blue;
    }
    const uint8_t background = (uint8_t)(gif->SBackGroundColor < colors->ColorCount ? gif->SBackGroundColor : 0);
    for (int y = 0; y < (int)height; ++y) memset(SpiBitmapRow(bitmap, y), background, (size_t)width);
    GifPixelType* line = malloc((size_t)place->Width);
    if (line == NULL) return SPI_NO_MEMORY;
    /* Interlaced rows come in four passes. */
    static const int kFirst[] = {0, 4, 2, 1};
    static const int kStep[] = {8, 8, 4, 2};
    const int passes = place->Interlace ? 4 : 1;
    for (int pass = 0; pass < passes && code == SPI_SUCCESS; ++pass) {
        const int first = place->Interlace ? kFirst[pass] : 0;
        const int step = place->Interlace ? kStep[pass] : 1;
        for (int y = first; y < place->Height; y += step) {
            if (DGifGetLine(gif, line, place->Width) == GIF_ERROR) {
                code = SPI_BROKEN_DATA;
                break;
            }
            uint8_t* out = SpiBitmapRow(bitmap, place->Top + y) + place->Left;
            for (int x = 0; x < place->Width; ++x) {
                if (line[x] != transparent) out[x] = line[x];
            }
        }
    }
    free(line);
    return code;
}

static int Decode(const SpiInput* input, SpiBitmap* bitmap) {
    GifSource source = {input->bytes, input->size, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, ReadFromMemory, &error);
    if (gif == NULL) return SPI_UNKNOWN_FORMAT;
    int code = SPI_BROKEN_DATA;
    int transparent = NO_TRANSPARENT_COLOR;
    GifRecordType type = TERMINATE_RECORD_TYPE;
    do {
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) break;
        if (type == EXTENSION_RECORD_TYPE) {
            int function = 0;
            GifByteType* block = NULL;
            if (DGifGetExtension(gif, &function, &block) == GIF_ERROR) break;
            if (function == GRAPHICS_EXT_FUNC_CODE && block != NULL && block[0] >= 4) {
                GraphicsControlBlock control;
                if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) transparent = control.TransparentColor;
            }
            while (block != NULL) {
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) break;
            }
            if (block != NULL) break;
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_OK) code = DrawFirstFrame(gif, transparent, bitmap);
            break;
        }
    } while (type != TERMINATE_RECORD_TYPE);
    DGifCloseFile(gif, &error);
    return code;
}

SPI_PLUGIN_EXPORTS(kInfo, Decode)
