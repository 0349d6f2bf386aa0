#pragma once
// The passes of a frame, named once: the timer, the frame report, the overlay, the settings
// panel's costs and the bench all read these names.

// The shadow pass and the scene first, then the stages of the chain in their order.
enum class RenderPass { Shadow, Scene, Blur, Composite, Fxaa };
constexpr int renderPassCount = 5;
inline constexpr const char* renderPassNames[renderPassCount] = {"shadow", "scene", "blur", "composite", "fxaa"};
// The passes every frame report lists; those after them only while they run.
constexpr int alwaysReportedPasses = 4;
