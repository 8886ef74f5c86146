// AddressSanitizer's settings for the libFuzzer programs (not the replay programs, which run under
// the settings of the build that tests them).
//
// A chart run allocates and frees images of up to a few megabytes many times; with the default
// quarantine of 256 MB, every such allocation gets pages the process has never touched, and the
// page faults cost more than the run itself. A quarantine of 16 MB still holds what one input
// freed recently, which is where a use after free of this code would be.

extern "C" const char* __asan_default_options();

extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
