#include "assets/image.h"

#include <GL/glew.h>

FREE_IMAGE_FORMAT imageFormatOf(const std::string& path) {
    const FREE_IMAGE_FORMAT byContents = FreeImage_GetFileType(path.c_str(), 0);
    if (byContents != FIF_UNKNOWN) return byContents;
    return FreeImage_GetFIFFromFilename(path.c_str());
}

Bitmap decodeImage(FREE_IMAGE_FORMAT format, const std::string& path) {
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format)) return nullptr;
    Bitmap bitmap(FreeImage_Load(format, path.c_str(), 0));
    if (!bitmap || !FreeImage_GetBits(bitmap.get())) return nullptr;
    if (FreeImage_GetWidth(bitmap.get()) == 0 || FreeImage_GetHeight(bitmap.get()) == 0) return nullptr;
    return bitmap;
}

Bitmap toBgr24(Bitmap bitmap) {
    if (!bitmap) return nullptr;
    const bool isBgr24 =
        FreeImage_GetImageType(bitmap.get()) == FIT_BITMAP && FreeImage_GetBPP(bitmap.get()) == 24;
    if (isBgr24) return bitmap;
    Bitmap converted(FreeImage_ConvertTo24Bits(bitmap.get()));
    if (!converted || !FreeImage_GetBits(converted.get())) return nullptr;
    return converted;
}

std::optional<PixelUpload> pixelUploadFor(unsigned bitsPerPixel) {
    switch (bitsPerPixel) {
        case 32: return PixelUpload{GL_RGBA, GL_BGRA, false};
        case 24: return PixelUpload{GL_RGB8, GL_BGR, false};
        case 8: return PixelUpload{GL_R8, GL_RED, true};
        default: return std::nullopt;
    }
}
