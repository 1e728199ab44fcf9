#include "cli/PngImage.h"

#include "cli/CliError.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <new>
#include <string>

namespace {

constexpr int kBitDepth = 8;
constexpr std::size_t kBytesPerPixel = 3;

constexpr std::size_t kMessageBytes = 256;

struct CEncoderError {
    char message[kMessageBytes] = "out of memory";
};

// No C++ exception may pass through the encoder's C frames: a failed
// allocation becomes an encoder error.
void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bool appended = true;
    try {
        bytes->insert(bytes->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        appended = false;
    }
    if (!appended) {
        png_error(png, "out of memory");
    }
}

void FlushNothing(png_structp) {}

// Copies the encoder's message, which may live on a stack frame that the
// long jump discards, for the exception thrown afterwards.
void KeepError(png_structp png, png_const_charp message) {
    auto* error = static_cast<CEncoderError*>(png_get_error_ptr(png));
    std::snprintf(error->message, sizeof error->message, "%s", message);
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp, so this function holds no object with a
// destructor that the jump could skip.
bool EncodeRows(png_structp png, png_infop info, const CRasterSurface& raster, png_bytep* rows) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(raster.GetWidth()),
                 static_cast<png_uint_32>(raster.GetHeight()), kBitDepth, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::vector<std::uint8_t> EncodePng(const CRasterSurface& raster) {
    std::vector<std::uint8_t> bytes;
    CEncoderError error;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, KeepError, IgnoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw CCliError(std::string("cannot encode the picture: ") + error.message, kExitFailure);
    }
    png_set_write_fn(png, &bytes, AppendBytes, FlushNothing);

    // The raster's rows are already 8-bit RGB, top to bottom.
    const std::size_t rowBytes = static_cast<std::size_t>(raster.GetWidth()) * kBytesPerPixel;
    std::vector<png_bytep> rows(static_cast<std::size_t>(raster.GetHeight()));
    auto* pixels = const_cast<png_bytep>(raster.GetRgbData().data());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        rows[row] = pixels + row * rowBytes;
    }
    const bool encoded = EncodeRows(png, info, raster, rows.data());
    png_destroy_write_struct(&png, &info);
    if (!encoded) {
        throw CCliError(std::string("cannot encode the picture: ") + error.message, kExitFailure);
    }
    return bytes;
}
