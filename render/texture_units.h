#pragma once
// The texture unit each input of a pass is bound to. Fixed, so that a program's sampler uniforms
// are set once when it is made, and no pass's binding lands on another's.

enum TextureUnit : int {
    colourTextureUnit = 0,   // a mesh's colour texture, with its sampler; the sky's cube map
    shadowCubeUnit = 1,      // the shadow depth cube the lit programs look up
    blurSourceUnit = 2,      // what a blur pass reads
    fxaaSourceUnit = 3,      // the tone-mapped picture anti-aliasing smooths
    compositeSceneUnit = 4,  // the HDR scene the composite tone-maps
    compositeGlowUnit = 5,   // the glow the composite adds
    viewImageUnit = 6,       // a pipeline view's 2D image
    viewCubeUnit = 7,        // the pipeline view's shadow cube
};
