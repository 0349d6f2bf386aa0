#pragma once
// The CPU half of textures: finding an image's format, decoding it through FreeImage and
// choosing how its pixels go to GL. No GL calls, so it runs (and is tested) without a context.

#include <FreeImage.h>

#include <memory>
#include <optional>
#include <string>

struct BitmapUnloader {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
// A decoded image, unloaded when it goes out of scope.
using Bitmap = std::unique_ptr<FIBITMAP, BitmapUnloader>;

// How an image's pixel bytes are handed to glTexImage2D.
struct PixelUpload {
    int internalFormat = 0;
    unsigned pixelFormat = 0;
    bool grey = false;  // one channel that must be swizzled to sample as grey
};

// The format by the file's contents; FIF_UNKNOWN when they tell none or the path is no plain file
// (a pipe or a device would block or never end).
FREE_IMAGE_FORMAT imageContentFormat(const std::string& path);

// The format by the file's contents, else by its name's extension; FIF_UNKNOWN when neither tells
// or the path is no plain file.
FREE_IMAGE_FORMAT imageFormatOf(const std::string& path);

// Decodes path as format; null unless the path is a plain file, FreeImage reads that format and the
// image has pixels and a size of at most maxSize in each direction. The size is checked on the
// header before any pixel is decoded.
Bitmap decodeImage(FREE_IMAGE_FORMAT format, const std::string& path, unsigned maxSize);

// Images of 16 bits per sample at 8 bits per sample, each sample's high byte: grey stays one channel,
// RGB becomes 24-bit and RGBA 32-bit with its alpha. Other images, floating-point samples among them,
// as they are; null if a conversion fails.
Bitmap withByteSamples(Bitmap bitmap);

// Palette images and images below 8 bits as true colour (with alpha when the palette has transparency);
// 8-bit grey stays one channel and deeper images stay as they are. Null if a conversion fails.
Bitmap withPaletteResolved(Bitmap bitmap);

// The image as 24-bit blue-green-red, converted when it has another depth (16-bit samples by their
// high byte); null if it cannot be.
Bitmap toBgr24(Bitmap bitmap);

// The upload for an image of this depth; none for depths other than 8, 24 and 32 bits.
std::optional<PixelUpload> pixelUploadFor(unsigned bitsPerPixel);
