/* ifPNG.spi: PNG pictures through libpng, as 24-bit bitmaps. Transparent pixels are shown
 * over white. */
#include <png.h>
#include <setjmp.h>
#include <stdlib.h>
#include <string.h>

#include "spi_plugin_support.h"

static const char* const kInfo[] = {"00IN", "ifPNG.spi for Pelmora (libpng)", "*.png", "PNG"};

typedef struct PngSource {
    const uint8_t* bytes;
    size_t size;
    size_t at;
} PngSource;

static void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    PngSource* source = png_get_io_ptr(png);
    if (count > source->size - source->at) png_error(png, "truncated");
    memcpy(out, source->bytes + source->at, count);
    source->at += count;
}

static void Quiet(png_structp png, png_const_charp message) {
    (void)png;
    (void)message;
}

/* libpng's own error handler prints the message first. */
static void Fail(png_structp png, png_const_charp message) {
    (void)message;
    png_longjmp(png, 1);
}

static uint8_t OverWhite(uint8_t value, uint8_t alpha) {
    return (uint8_t)((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

/* Decodes into bitmap; the row list and the RGBA buffer are the caller's to free, so a
 * longjmp cannot leak them. */
static int DecodeRows(const SpiInput* input, SpiBitmap* bitmap, png_bytep* volatile* rowsOut,
                      uint8_t* volatile* rgbaOut) {
    PngSource source = {input->bytes, input->size, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, NULL, Fail, Quiet);
    if (png == NULL) return SPI_NO_MEMORY;
    png_infop info = png_create_info_struct(png);
    if (info == NULL) {
        png_destroy_read_struct(&png, NULL, NULL);
        return SPI_NO_MEMORY;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, NULL);
        return SPI_BROKEN_DATA;
    }
    png_set_read_fn(png, &source, ReadFromMemory);
    png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if ((uint64_t)width * height > SPI_MAX_PIXELS) {
        png_destroy_read_struct(&png, &info, NULL);
        return SPI_NO_MEMORY;
    }
    /* A picture without transparency is decoded straight into the bitmap's rows, as BGR;
     * others become 8-bit RGBA first and are put over white. */
    const png_byte colorType = png_get_color_type(png, info);
    const int transparent = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    if (transparent) {
        png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    } else {
        png_set_bgr(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    int code = SpiBitmapCreate(bitmap, (int)width, (int)height, 24);
    if (code != SPI_SUCCESS) {
        png_destroy_read_struct(&png, &info, NULL);
        return code;
    }
    png_bytep* rows = calloc(height, sizeof *rows);
    *rowsOut = rows;
    if (rows == NULL) {
        png_destroy_read_struct(&png, &info, NULL);
        return SPI_NO_MEMORY;
    }
    if (!transparent) {
        for (png_uint_32 y = 0; y < height; ++y) rows[y] = SpiBitmapRow(bitmap, (int)y);
        png_read_image(png, rows);
        png_destroy_read_struct(&png, &info, NULL);
        return SPI_SUCCESS;
    }
    const size_t rowBytes = (size_t)width * 4;
    uint8_t* rgba = malloc(rowBytes * height);
    *rgbaOut = rgba;
    if (rgba == NULL) {
        png_destroy_read_struct(&png, &info, NULL);
        return SPI_NO_MEMORY;
    }
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = rgba + rowBytes * y;
    png_read_image(png, rows);
    png_destroy_read_struct(&png, &info, NULL);
    for (png_uint_32 y = 0; y < height; ++y) {
        const uint8_t* in = rows[y];
        uint8_t* out = SpiBitmapRow(bitmap, (int)y);
        for (png_uint_32 x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = OverWhite(in[2], in[3]);
            out[1] = OverWhite(in[1], in[3]);
            out[2] = OverWhite(in[0], in[3]);
        }
    }
    return SPI_SUCCESS;
}

static int Decode(const SpiInput* input, SpiBitmap* bitmap) {
    png_bytep* volatile rows = NULL;
    uint8_t* volatile rgba = NULL;
    const int code = DecodeRows(input, bitmap, &rows, &rgba);
    free(rgba);
    free(rows);
    return code;
}

SPI_PLUGIN_EXPORTS(kInfo, Decode)
