#pragma once
// The compare view's line and the names of its halves, drawn over the picture with Dear ImGui.

struct ImDrawList;
struct RenderSettings;

// White text on a dark box from (left, top), the box margin/2 larger on every side: it reads over
// the light's sphere as well as over the sky.
void addBoxedText(ImDrawList* drawing, const char* text, float left, float top, float margin);

// Adds the compare line and the labels "defaults" and "yours" to the current ImGui frame, for a
// framebuffer of width x height pixels. While the settings panel has the mouse, a press within a
// few pixels of the line drags it (dragging holds that state between frames).
void addCompareMarks(RenderSettings& settings, int width, int height, bool& dragging);
