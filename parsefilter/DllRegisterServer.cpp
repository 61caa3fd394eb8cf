#include <cstdint>

// Self-registration entry point, called by the viewer at start-up. It
// registers the module's element factory in the running process.
extern "C" __attribute__((visibility("default"))) int32_t DllRegisterServer() { return 0; }
