#pragma once
// The staged result of one model file as bytes, so that a child process can read the file and the
// game can take over what it staged. The game trusts nothing it reads back: decoding checks every
// count, range and number.

#include <string>
#include <vector>

#include "assets/model_import.h"

// One model staged on its own: its vertices start at 0 and its ranges describe them.
struct StagedModel {
    std::vector<float> vertices;
    ImportedModel imported;
};

std::string encodeStagedModel(const StagedModel& staged);

// False unless bytes hold exactly one staged model whose ranges lie inside its vertices, whose
// numbers are all finite and which has one texture path per material.
bool decodeStagedModel(const std::string& bytes, StagedModel& staged);

// Appends the vertices to buffer and shifts the ranges to where they landed; false (and buffer
// unchanged) if the buffer would outgrow its byte count.
bool appendStagedModel(StagedModel staged, SharedVertexBuffer& buffer, ImportedModel& imported);
