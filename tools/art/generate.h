#pragma once
// Everything the game reads from Models/: five Collada models, their textures and six sky faces.

#include <string>

// Writes every file into the existing directory `directory`; false when any write fails.
bool generateArt(const std::string& directory);
