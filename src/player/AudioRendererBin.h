// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

namespace zv {

// The audio renderer: conversion, tempo correction where scaletempo exists
// (so that a changed rate keeps the pitch), a volume element and the
// machine's audio sink (a synchronised fake sink where the machine has no
// sound device). Ghost pad "sink" takes raw audio. Returns nullptr when an
// element other than scaletempo is missing.
GstElement* MakeAudioRendererBin(const char* name);
// Loads the plugins of the bin's elements (any thread).
void PreloadAudioRendererBin();

// Sets the volume of a bin made by MakeAudioRendererBin, as a linear factor.
bool SetAudioRendererVolume(GstElement* renderer, double linear);

}  // namespace zv
