#pragma once

#include <string>

namespace zv {

class RegistryStore;

// Loads the stream parse filter module from the program folder and calls its
// self-registration entry point. True when the entry point was found and
// called. The module stays loaded for the life of the process.
bool RegisterParseFilter(const std::string& programFolder);

// The video decoder's settings under the current user's
// "Software/GNU/ffdshow": multipleInstances 0, isWhitelist 0, h264 1.
// Creates the keys when missing; failures are silent.
void WriteDecoderSettings(RegistryStore& store);

}  // namespace zv
