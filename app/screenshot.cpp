#include "app/screenshot.h"

#include <FreeImage.h>
#include <GL/glew.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <ostream>
#include <vector>

namespace {
constexpr int maxPerSecond = 1000;
bool screenshotRequested = false;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

unsigned writeToFile(void* buffer, unsigned size, unsigned count, fi_handle handle) {
    return static_cast<unsigned>(std::fwrite(buffer, size, count, static_cast<std::FILE*>(handle)));
}
int seekInFile(fi_handle handle, long offset, int origin) { return std::fseek(static_cast<std::FILE*>(handle), offset, origin); }
long tellInFile(fi_handle handle) { return std::ftell(static_cast<std::FILE*>(handle)); }

// quorlax-YYYYMMDD-HHMMSS-N.png: the number-th screenshot of that local second.
std::string screenshotName(const std::tm& localTime, int number) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &localTime);
    return "quorlax-" + std::string(stamp) + "-" + std::to_string(number) + ".png";
}

// A new file for this second's next screenshot; "x" refuses a name that exists.
File createScreenshotFile(std::string& name) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    for (int number = 1; number <= maxPerSecond; ++number) {
        name = screenshotName(local, number);
        File file(std::fopen(name.c_str(), "wbx"));
        if (file || errno != EEXIST) return file;
    }
    errno = EEXIST;
    return nullptr;
}
}  // namespace

void saveScreenshot(int width, int height, std::ostream& out) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, pixels.data());
    std::string name;
    File file = createScreenshotFile(name);
    if (!file) {
        out << "Screenshot not saved: " << std::strerror(errno) << std::endl;
        return;
    }
    FIBITMAP* bitmap = FreeImage_ConvertFromRawBits(pixels.data(), width, height, width * 3, 24, FI_RGBA_RED_MASK,
                                                    FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, FALSE);
    FreeImageIO io{nullptr, writeToFile, seekInFile, tellInFile};
    errno = 0;
    const bool saved = bitmap && FreeImage_SaveToHandle(FIF_PNG, bitmap, &io, file.get(), PNG_Z_BEST_SPEED);
    if (bitmap) FreeImage_Unload(bitmap);
    const bool closed = std::fclose(file.release()) == 0;
    if (saved && closed) {
        out << "Screenshot saved: " << name << std::endl;
    } else {
        std::remove(name.c_str());
        out << "Screenshot not saved: " << (errno ? std::strerror(errno) : "the image could not be written") << std::endl;
    }
}

void requestScreenshot() { screenshotRequested = true; }

bool takeScreenshotRequest() {
    const bool requested = screenshotRequested;
    screenshotRequested = false;
    return requested;
}
