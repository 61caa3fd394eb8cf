#pragma once

#include <initializer_list>

namespace zv {

// Loads the plugins behind the named element factories into the process, so
// that creating those elements later, on the window's thread, does not wait
// for a plugin library to load (the first libav decoder takes a good part of
// a second). Safe on any thread; costs nothing once a plugin is loaded.
void PreloadElementFactories(std::initializer_list<const char*> names);

}  // namespace zv
