#pragma once
// The passes of a frame, named once: the timer, the frame report, the overlay, the settings
// panel's costs and the bench all read these names.

// The shadow pass and the scene first, then the stages of the chain in their order.
enum class RenderPass { Shadow, Scene, Blur, Composite };
constexpr int renderPassCount = 4;
inline constexpr const char* renderPassNames[renderPassCount] = {"shadow", "scene", "blur", "composite"};
