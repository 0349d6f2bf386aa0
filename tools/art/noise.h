#pragma once
// Deterministic randomness for the art: the same seed gives the same numbers on every run.

#include <cstdint>

#include <glm/glm.hpp>

// A splitmix64 stream; std:: distributions are avoided because their output is not portable.
struct Random {
    std::uint64_t state;
};

// Uniform in [0, 1).
double nextUnit(Random& random);

// Smooth value noise in [0, 1]; each seed gives an independent field.
double valueNoise(glm::dvec3 point, std::uint32_t seed);

// Octaves of value noise, each at twice the frequency and half the weight; in [0, 1].
double fractalNoise(glm::dvec3 point, int octaves, std::uint32_t seed);
