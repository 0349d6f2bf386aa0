#pragma once
// F12: what the window shows, as a PNG in the working directory.

#include <iosfwd>
// Reads the window's back buffer (width x height pixels, finished but not yet swapped) and writes
// it as an RGB PNG named by the local time, never over an existing file; reports
// "Screenshot saved: NAME" or "Screenshot not saved: REASON".
void saveScreenshot(int width, int height, std::ostream& out);

// F12: the frame being drawn goes to a file.
void requestScreenshot();
// True once after each request.
bool takeScreenshotRequest();
