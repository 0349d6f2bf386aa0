#include "render/shadow_cache.h"

#include <GL/glew.h>

#include "game/records.h"

namespace {

void createFaceFramebuffers(unsigned cube, unsigned (&framebuffers)[6]) {
    glGenFramebuffers(6, framebuffers);
    for (int face = 0; face < 6; ++face) {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffers[face]);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, cube, 0);
        glDrawBuffer(GL_NONE);
        glReadBuffer(GL_NONE);
    }
}

// Records the casters as drawn now and marks in cache.moved those that moved since the last
// record; returns whether any did.
bool recordCasters(ShadowCache& cache, const std::vector<SceneObject*>& casters) {
    const size_t count = casters.size();
    std::vector<char>& moved = cache.moved;
    moved.assign(count, 0);
    bool any = false;
    for (size_t i = 0; i < count; ++i) {
        const SceneObject* caster = casters[i];
        if (cache.casters[i] == caster && cache.models[i] == caster->model && cache.transforms[i] == caster->transform) {
            continue;
        }
        cache.casters[i] = caster;
        cache.models[i] = caster->model;
        cache.transforms[i] = caster->transform;
        moved[i] = 1;
        any = true;
    }
    return any;
}
}  // namespace

void createShadowCache(ShadowCache& cache, unsigned liveCube, int size) {
    cache = ShadowCache{};
    cache.size = size;
    glGenTextures(1, &cache.stillCube);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cache.stillCube);
    for (int face = 0; face < 6; ++face) {
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, size, size, 0, GL_DEPTH_COMPONENT,
                     GL_FLOAT, nullptr);
    }
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAX_LEVEL, 0);
    createFaceFramebuffers(cache.stillCube, cache.stillFaces);
    createFaceFramebuffers(liveCube, cache.liveFaces);
    glBindTexture(GL_TEXTURE_CUBE_MAP, liveCube);
}

ShadowWork planShadowWork(ShadowCache& cache, const std::vector<SceneObject*>& casters, glm::vec3 lightPosition,
                          bool wireframe, bool reference) {
    if (reference) {
        cache.valid = false;
        return ShadowWork::DrawAll;
    }
    const size_t count = casters.size();
    const bool newList = cache.casters.size() != count;
    if (newList) {
        cache.casters.assign(count, nullptr);
        cache.models.assign(count, nullptr);
        cache.transforms.assign(count, glm::mat4(0.0f));
    }
    const bool sameView = cache.valid && !newList && cache.wireframe == wireframe && cache.lightPosition == lightPosition;
    const bool anyMoved = recordCasters(cache, casters);
    cache.wireframe = wireframe;
    cache.lightPosition = lightPosition;
    cache.valid = true;
    if (sameView && !anyMoved) return ShadowWork::None;
    bool stillMoved = !sameView;
    for (size_t i = 0; i < count && !stillMoved; ++i) stillMoved = cache.moved[i] && !cache.moving[i];
    if (!stillMoved) return ShadowWork::DrawMoving;
    // What moves now is drawn every frame from here on; the rest is kept. A new list starts
    // with everything kept.
    cache.moving = cache.moved;
    if (newList) cache.moving.assign(count, 0);
    return ShadowWork::Rebuild;
}

bool castsMoving(const ShadowCache& cache, size_t caster) {
    return caster < cache.moving.size() && cache.moving[caster];
}

void copyShadowCube(const ShadowCache& cache, bool storeStill) {
    for (int face = 0; face < 6; ++face) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, storeStill ? cache.liveFaces[face] : cache.stillFaces[face]);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, storeStill ? cache.stillFaces[face] : cache.liveFaces[face]);
        glBlitFramebuffer(0, 0, cache.size, cache.size, 0, 0, cache.size, cache.size, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    }
}
