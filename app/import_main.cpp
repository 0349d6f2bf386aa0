// quorlax-import <model file>...: reads model files for the game in a process of its own and writes
// what it staged from each to standard output.
#include "assets/model_import_process.h"

// Sanitized builds cannot bound the address space (the shadow memory alone is terabytes): bound the
// resident size, and let a huge allocation fail like it would under the address-space limit.
extern "C" const char* __asan_default_options() { return "hard_rss_limit_mb=512:allocator_may_return_null=1"; }

int main(int argc, char** argv) { return serveModelImports(std::vector<std::string>(argv + 1, argv + argc)); }
