#pragma once
// Runs the art generator into a fresh temporary directory for tests of its output.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "art/generate.h"

// A new directory holding one complete run of the generator; fails the test when it cannot.
inline std::string generateArtIntoTempDir() {
    char pattern[] = "/tmp/quorlax_art_XXXXXX";
    const char* directory = mkdtemp(pattern);
    EXPECT_NE(directory, nullptr);
    if (!directory) return std::string();
    EXPECT_TRUE(generateArt(directory));
    return directory;
}
