// A library file without the GetBitMap entry.
extern "C" __attribute__((visibility("default"))) int SomethingElse() { return 0; }
