/* ifjpeg.spi: JPEG pictures through libjpeg-turbo, as 24-bit bitmaps. CMYK pictures (as
 * Adobe programs write them, inverted) are turned into RGB here. */
#include <setjmp.h>
#include <stdio.h>
#include <string.h>

#include <jpeglib.h>

#include "spi_plugin_support.h"

static const char* const kInfo[] = {"00IN", "ifjpeg.spi for Pelmora (libjpeg-turbo)", "*.jpg;*.jpeg", "JPEG"};

typedef struct JpegErrors {
    struct jpeg_error_mgr manager;
    jmp_buf escape;
} JpegErrors;

static void Escape(j_common_ptr jpeg) { longjmp(((JpegErrors*)jpeg->err)->escape, 1); }

static void Quiet(j_common_ptr jpeg) { (void)jpeg; }

static int Decode(const SpiInput* input, SpiBitmap* bitmap) {
    struct jpeg_decompress_struct jpeg;
    JpegErrors errors;
    jpeg.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = Escape;
    errors.manager.output_message = Quiet;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&jpeg);
        return SPI_BROKEN_DATA;
    }
    jpeg_create_decompress(&jpeg);
    jpeg_mem_src(&jpeg, input->bytes, (unsigned long)input->size);
    jpeg_read_header(&jpeg, TRUE);
    const int cmyk = jpeg.jpeg_color_space == JCS_CMYK || jpeg.jpeg_color_space == JCS_YCCK;
    jpeg.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_calc_output_dimensions(&jpeg);
    if ((uint64_t)jpeg.output_width * jpeg.output_height > SPI_MAX_PIXELS) {
        jpeg_destroy_decompress(&jpeg);
        return SPI_NO_MEMORY;
    }
    const int code = SpiBitmapCreate(bitmap, (int)jpeg.output_width, (int)jpeg.output_height, 24);
    if (code != SPI_SUCCESS) {
        jpeg_destroy_decompress(&jpeg);
        return code;
    }
    jpeg_start_decompress(&jpeg);
    JSAMPARRAY line = (*jpeg.mem->alloc_sarray)((j_common_ptr)&jpeg, JPOOL_IMAGE,
                                                 jpeg.output_width * (JDIMENSION)jpeg.output_components, 1);
    while (jpeg.output_scanline < jpeg.output_height) {
        const int y = (int)jpeg.output_scanline;
        if (jpeg_read_scanlines(&jpeg, line, 1) != 1) break;
        const JSAMPLE* in = line[0];
        uint8_t* out = SpiBitmapRow(bitmap, y);
        for (JDIMENSION x = 0; x < jpeg.output_width; ++x, out += 3) {
            if (cmyk) {
                const unsigned k = in[3];
                out[0] = (uint8_t)(in[2] * k / 255);
                out[1] = (uint8_t)(in[1] * k / 255);
                out[2] = (uint8_t)(in[0] * k / 255);
                in += 4;
            } else {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
                in += 3;
            }
        }
    }
    jpeg_finish_decompress(&jpeg);
    jpeg_destroy_decompress(&jpeg);
    return SPI_SUCCESS;
}

SPI_PLUGIN_EXPORTS(kInfo, Decode)
