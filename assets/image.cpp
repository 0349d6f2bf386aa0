#include "assets/image.h"

#include <GL/glew.h>
#include <sys/stat.h>

#include <utility>

namespace {
bool isPlainFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool sizeWithin(const Bitmap& bitmap, unsigned maxSize) {
    return FreeImage_GetWidth(bitmap.get()) <= maxSize && FreeImage_GetHeight(bitmap.get()) <= maxSize;
}

// FreeImage allocates the size the header claims before it reads a pixel: read the header alone first.
bool headerSizeWithin(FREE_IMAGE_FORMAT format, const std::string& path, unsigned maxSize) {
    if (!FreeImage_FIFSupportsNoPixels(format)) return true;
    const Bitmap header(FreeImage_Load(format, path.c_str(), FIF_LOAD_NOPIXELS));
    return header && sizeWithin(header, maxSize);
}

Bitmap converted(FIBITMAP* bitmap) {
    if (!bitmap || !FreeImage_GetBits(bitmap)) {
        if (bitmap) FreeImage_Unload(bitmap);
        return nullptr;
    }
    return Bitmap(bitmap);
}
}  // namespace

FREE_IMAGE_FORMAT imageContentFormat(const std::string& path) {
    return isPlainFile(path) ? FreeImage_GetFileType(path.c_str(), 0) : FIF_UNKNOWN;
}

FREE_IMAGE_FORMAT imageFormatOf(const std::string& path) {
    const FREE_IMAGE_FORMAT byContents = imageContentFormat(path);
    if (byContents != FIF_UNKNOWN || !isPlainFile(path)) return byContents;
    return FreeImage_GetFIFFromFilename(path.c_str());
}

Bitmap decodeImage(FREE_IMAGE_FORMAT format, const std::string& path, unsigned maxSize) {
    if (!isPlainFile(path)) return nullptr;
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format)) return nullptr;
    if (!headerSizeWithin(format, path, maxSize)) return nullptr;
    Bitmap bitmap(FreeImage_Load(format, path.c_str(), 0));
    if (!bitmap || !FreeImage_GetBits(bitmap.get())) return nullptr;
    if (FreeImage_GetWidth(bitmap.get()) == 0 || FreeImage_GetHeight(bitmap.get()) == 0) return nullptr;
    if (!sizeWithin(bitmap, maxSize)) return nullptr;
    return bitmap;
}

// FreeImage 3.18 takes the high byte in each of these conversions (the image test holds it to that);
// it has no 24- or 32-bit conversion of 16-bit grey, hence grey goes to 8-bit grey.
Bitmap withByteSamples(Bitmap bitmap) {
    if (!bitmap) return nullptr;
    switch (FreeImage_GetImageType(bitmap.get())) {
        case FIT_UINT16: return converted(FreeImage_ConvertTo8Bits(bitmap.get()));
        case FIT_RGB16: return converted(FreeImage_ConvertTo24Bits(bitmap.get()));
        case FIT_RGBA16: return converted(FreeImage_ConvertTo32Bits(bitmap.get()));
        default: return bitmap;
    }
}

Bitmap withPaletteResolved(Bitmap bitmap) {
    if (!bitmap || FreeImage_GetImageType(bitmap.get()) != FIT_BITMAP) return bitmap;
    const unsigned bits = FreeImage_GetBPP(bitmap.get());
    const bool grey = bits == 8 && FreeImage_GetColorType(bitmap.get()) == FIC_MINISBLACK;
    if (bits > 8 || grey) return bitmap;
    return converted(FreeImage_IsTransparent(bitmap.get()) ? FreeImage_ConvertTo32Bits(bitmap.get())
                                                           : FreeImage_ConvertTo24Bits(bitmap.get()));
}

Bitmap toBgr24(Bitmap bitmap) {
    bitmap = withByteSamples(std::move(bitmap));
    if (!bitmap) return nullptr;
    const bool isBgr24 =
        FreeImage_GetImageType(bitmap.get()) == FIT_BITMAP && FreeImage_GetBPP(bitmap.get()) == 24;
    if (isBgr24) return bitmap;
    return converted(FreeImage_ConvertTo24Bits(bitmap.get()));
}

std::optional<PixelUpload> pixelUploadFor(unsigned bitsPerPixel) {
    switch (bitsPerPixel) {
        case 32: return PixelUpload{GL_RGBA, GL_BGRA, false};
        case 24: return PixelUpload{GL_RGB8, GL_BGR, false};
        case 8: return PixelUpload{GL_R8, GL_RED, true};
        default: return std::nullopt;
    }
}
