#pragma once
// The passes of a frame, named once: the timer, the frame report, the overlay, the settings
// panel's costs and the bench all read these names.

// The shadow pass and the scene first, then the stages of the chain in their order.
// The bloom chain runs in the blur's place, before the composite; its number keeps the first four's.
enum class RenderPass { Shadow, Scene, Blur, Composite, Fxaa, Chain };
constexpr int renderPassCount = 6;
inline constexpr const char* renderPassNames[renderPassCount] = {"shadow", "scene", "blur", "composite", "fxaa",
                                                                  "chain"};
// The passes every frame report lists; those after them only while they run.
constexpr int alwaysReportedPasses = 4;
