#pragma once
// OpenGL error codes as console messages.

// The message for a glGetError code (anything unknown gives "GL: Unknown error.").
const char* glErrorMessage(unsigned error);
// Takes one pending GL error, if any, and writes its message to standard error.
void reportGlError();
