#pragma once
// Model files are read by Assimp in a child process (the quorlax-import program beside the game):
// damaged files crash, abort, recurse or allocate without end inside the library, and the game must
// run on without that model. The child is a fresh exec, never a fork of the GL process.

#include <chrono>
#include <string>
#include <vector>

#include "assets/model_import.h"

// Starts one child that reads these files one after another, while the caller goes on; each
// importModelInChild of the next path in this order then takes that file's result.
void startModelImports(const std::vector<std::string>& paths);

// Appends what a child staged from path to buffer; the child started for it, else a new one.
// False, without a message, when the child cannot read the file, dies or exceeds its limits on
// it, or sends back anything inconsistent; a started child that died goes on with the files after it.
bool importModelInChild(const char* path, SharedVertexBuffer& buffer, ImportedModel& imported);

// The longest wait for one file's result, counted from the call that asks for it (20 s unless set).
void setImportTimeLimit(std::chrono::milliseconds limit);

// While waiting for a child, check is called every 50 ms or so (the game keeps its window alive
// there); when it returns false the child is ended and reaped, and this and every later import
// fail at once. Null (the default) waits without calling anything.
void setImportWaitCheck(bool (*check)());

// The child's side: bounds its own memory, stack and output, then reads each path in turn and writes
// one frame per file (its staged model, or an empty frame when it could not be read) to standard
// output. Returns the process exit status.
int serveModelImports(const std::vector<std::string>& paths);
