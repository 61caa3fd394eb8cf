// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

#include <QImage>

#include <functional>
#include <string>
#include <vector>

#include "player/VideoFrame.h"
#include "player/VideoWindow.h"

// A video window that keeps what the engine hands it, converted at the
// frame's own size.
class RecordingWindow : public zv::IVideoWindow {
 public:
  void PresentFrame(const zv::VideoFrame& frame) override {
    last = frame.ToImage();
    ++frames;
    if (onFrame) onFrame(last);
  }
  void RepaintFrame() override { ++repaints; }
  void DetachFrame() override {}  // keeps pictures, no decoded frame
  QImage last;
  int frames = 0;
  std::function<void(const QImage&)> onFrame;
  int repaints = 0;
};

// Path of a generated test recording.
std::string Fixture(const char* name);

// Runs the event loop until `done` holds or `ms` milliseconds pass.
bool WaitFor(const std::function<bool()>& done, int ms = 5000);

// Mean luma (0 .. 255) of a picture.
double MeanLuma(const QImage& image);

// Names of every element inside `bin`, recursively.
std::vector<std::string> ElementNames(GstElement* bin);
bool HasElement(GstElement* bin, const std::string& name);

// Counts GStreamer's criticals and warnings while it lives.
class GStreamerComplaints {
 public:
  GStreamerComplaints();
  ~GStreamerComplaints();
  GStreamerComplaints(const GStreamerComplaints&) = delete;
  GStreamerComplaints& operator=(const GStreamerComplaints&) = delete;
  int Count() const { return count_; }

 private:
  int count_ = 0;
  guint handler_ = 0;
};
