#pragma once
// A camera's view volume drawn as lines from outside: the culling view shows what the player's
// camera sees this way.

struct Camera;
struct ShaderProgram;

struct FrustumLines {
    ShaderProgram* program = nullptr;
    unsigned vertexArray = 0;
    unsigned buffer = 0;          // the lines' end points, written at each draw
    int viewProjectionLocation = -1;
};

// The lines' program and buffer.
void createFrustumLines(FrustumLines& lines);
// Frees them.
void destroyFrustumLines(FrustumLines& lines);
// Draws seen's view volume, out to frustumLineReach units, as eye sees it, into the bound target
// with the depth test: the four edges from the eye and the rectangle where they end.
void drawFrustumLines(const FrustumLines& lines, const Camera& seen, const Camera& eye);

constexpr float frustumLineReach = 300.0f;  // units from the eye
