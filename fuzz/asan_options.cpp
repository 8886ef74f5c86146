// AddressSanitizer's settings for the libFuzzer programs (not the replay programs, which run under
// the settings of the build that tests them).
//
// A chart run allocates and frees images of up to a few megabytes many times; with the default
// quarantine of 256 MB, every such allocation gets pages the process has never touched, and the
// page faults cost more than the run itself. A quarantine of 16 MB still holds what one input
// freed recently, which is where a use after free of this code would be.
//
// Every allocation also records the stack that made it, 30 frames deep by default. A chart run
// makes many small allocations, and 8 frames (enough to name the code in a report; the sanitizer
// build's replay of the kept input shows the whole stack) make a run about 8 % cheaper.

extern "C" const char* __asan_default_options();

extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16:malloc_context_size=8"; }
