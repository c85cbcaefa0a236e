// A small shared library loaded by the library tests.
extern "C" __attribute__((visibility("default"))) int MirtTestAdd(int a, int b) { return a + b; }
