#include "assets/model_import_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <deque>

#include "assets/staged_model_wire.h"

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;

const char* const importProgramName = "quorlax-import";
// The game's models need a few tens of megabytes; a damaged one may ask for gigabytes.
constexpr rlim_t importMemoryBytes = rlim_t(512) << 20;
// Deep recursion on nested elements ends here rather than wherever an unlimited stack would.
constexpr rlim_t importStackBytes = rlim_t(8) << 20;
// Per file, from when the game asks for it; generous, so that a slow machine never loses a good
// model, while a file that spins is killed.
Clock::duration importTimeLimit = std::chrono::seconds(20);
// How often a wait for the child lets the caller look at its window.
constexpr int waitSliceMs = 50;
// Called between slices of a wait; false gives every import up.
bool (*keepWaiting)() = nullptr;
bool importsAbandoned = false;

// The import program beside this executable, else in the working directory (tests run from build/tests).
const std::string& importProgramPath() {
    static const std::string path = [] {
        char self[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", self, sizeof(self));
        if (length > 0 && static_cast<size_t>(length) < sizeof(self)) {
            const std::string beside = directoryOf(std::string(self, static_cast<size_t>(length))) + importProgramName;
            if (access(beside.c_str(), X_OK) == 0) return beside;
        }
        return std::string("./") + importProgramName;
    }();
    return path;
}

// A child reading files in order, and the read end of the pipe it writes their frames to.
struct ImportChild {
    std::deque<std::string> paths;  // files whose frames are still to come
    pid_t pid = 0;                  // 0 when none runs
    int output = -1;
};

ImportChild startedChild;

ImportChild spawnImportChild(std::deque<std::string> paths) {
    ImportChild child;
    int pipeEnds[2];
    if (paths.empty() || pipe2(pipeEnds, O_CLOEXEC) != 0) return child;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    const std::string& program = importProgramPath();
    std::vector<char*> arguments{const_cast<char*>(program.c_str())};
    for (std::string& path : paths) arguments.push_back(path.data());
    arguments.push_back(nullptr);
    const int failed = posix_spawn(&child.pid, program.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (failed) {
        close(pipeEnds[0]);
        child.pid = 0;
        return child;
    }
    child.paths = std::move(paths);
    child.output = pipeEnds[0];
    return child;
}

// Ends the child, killing it if it still runs, and reaps it.
void stopImportChild(ImportChild& child) {
    if (child.pid == 0) return;
    close(child.output);
    kill(child.pid, SIGKILL);
    while (waitpid(child.pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    child = ImportChild{};
}

// Reads exactly size bytes; false at the end of the pipe, on an error, when the deadline passes or
// when the caller gives the wait up.
bool readExactly(int input, size_t size, Clock::time_point deadline, std::string& bytes) {
    bytes.resize(size);
    size_t done = 0;
    while (done < size) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd waiting{input, POLLIN, 0};
        const int slice = keepWaiting ? static_cast<int>(std::min<long long>(left, waitSliceMs)) : static_cast<int>(left);
        const int ready = poll(&waiting, 1, slice);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return false;
        if (ready == 0) {
            if (keepWaiting && !keepWaiting()) {
                importsAbandoned = true;
                return false;
            }
            continue;
        }
        const ssize_t count = read(input, bytes.data() + done, size - done);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        done += static_cast<size_t>(count);
    }
    return true;
}

// The next frame: a 64-bit length, then that many bytes; never more than the child could have staged.
bool readFrame(ImportChild& child, std::string& frame) {
    const Clock::time_point deadline = Clock::now() + importTimeLimit;
    std::string header;
    uint64_t length = 0;
    if (!readExactly(child.output, sizeof(length), deadline, header)) return false;
    std::memcpy(&length, header.data(), sizeof(length));
    return length <= importMemoryBytes && readExactly(child.output, static_cast<size_t>(length), deadline, frame);
}

// Takes the next file's frame from the child; a child that fails on it is replaced by one for the rest.
bool nextFrame(ImportChild& child, std::string& frame) {
    const bool read = readFrame(child, frame);
    child.paths.pop_front();
    if (!read) {
        std::deque<std::string> rest = std::move(child.paths);
        stopImportChild(child);
        if (!importsAbandoned) child = spawnImportChild(std::move(rest));
    } else if (child.paths.empty()) {
        stopImportChild(child);  // it has written everything and is ending
    }
    return read;
}

void lowerLimit(int resource, rlim_t bound) {
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0) return;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > bound) limit.rlim_cur = bound;
    setrlimit(resource, &limit);
}

// Address sanitizer reserves terabytes of shadow memory, which an address-space limit forbids; the
// import program bounds a sanitized child by its resident size instead.
bool sanitizedBuild() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

bool writeAll(int output, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = write(output, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        written += static_cast<size_t>(count);
    }
    return true;
}

std::string stagedFrame(const char* path) {
    StagedModel staged;
    SharedVertexBuffer buffer;
    if (!importModel(path, buffer, staged.imported)) return std::string();
    staged.vertices = std::move(buffer.data);
    return encodeStagedModel(staged);
}
}  // namespace

void startModelImports(const std::vector<std::string>& paths) {
    stopImportChild(startedChild);
    startedChild = spawnImportChild(std::deque<std::string>(paths.begin(), paths.end()));
}

void setImportTimeLimit(std::chrono::milliseconds limit) { importTimeLimit = limit; }

void setImportWaitCheck(bool (*check)()) { keepWaiting = check; }

bool importModelInChild(const char* path, SharedVertexBuffer& buffer, ImportedModel& imported) {
    if (importsAbandoned) return false;
    std::string frame;
    if (startedChild.pid != 0 && startedChild.paths.front() == path) {
        if (!nextFrame(startedChild, frame)) return false;
    } else {
        ImportChild own = spawnImportChild({path});
        if (own.pid == 0 || !nextFrame(own, frame)) return false;
    }
    StagedModel staged;
    return decodeStagedModel(frame, staged) && appendStagedModel(std::move(staged), buffer, imported);
}

int serveModelImports(const std::vector<std::string>& paths) {
    if (!sanitizedBuild()) lowerLimit(RLIMIT_AS, importMemoryBytes);
    lowerLimit(RLIMIT_STACK, importStackBytes);
    lowerLimit(RLIMIT_FSIZE, 0);  // reading models writes no file
    for (const std::string& path : paths) {
        const std::string frame = stagedFrame(path.c_str());
        const uint64_t length = frame.size();
        if (!writeAll(STDOUT_FILENO, std::string(reinterpret_cast<const char*>(&length), sizeof(length)) + frame)) {
            return 1;
        }
    }
    return 0;
}
