// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>

#include "player/CGraphPlayer.h"

namespace zv {
class IVideoWindow;
}

// Holds the two video windows and the engine of the open recording; every
// open throws the old engine away and builds a fresh one. Its own operations
// return 1 for success and 0 for failure.
class CVideoPlayer {
 public:
  CVideoPlayer();
  ~CVideoPlayer();

  void Init(zv::IVideoWindow* window1, zv::IVideoWindow* window2);
  int Open(const std::string& path);
  void Close();

  // Open in two halves, so that the slow part (CGraphPlayer::LoadGraph) can
  // run on another thread: BeginOpen checks the arguments and throws the old
  // engine away (false when there is nothing to open); FinishOpen builds the
  // new engine on the loaded pipeline and returns what Open returns.
  bool BeginOpen(const std::string& path);
  int FinishOpen(CGraphPlayer::LoadedGraph loaded);

  int SeekTo(int32_t positionMs);
  // One frame or more forward (or back, when negative) while paused;
  // `positionMs` receives the position it goes to.
  int StepFrames(int32_t frames, int64_t* positionMs);
  uint64_t GetDurationMs();
  int SetRate(float rate);
  int SetVolume(int32_t percent);
  int SetBrightness(int32_t offset);
  int SetRearMirror(bool mirrored);
  // The channel's current picture at its own size, top row first.
  int CaptureFrame(int channel, QImage* image);

  void SetOptionFlag(uint8_t flag) { optionFlag_ = flag; }
  uint8_t OptionFlag() const { return optionFlag_; }
  CGraphPlayer* Engine() const { return engine_.get(); }

 private:
  void CreateEngine();

  zv::IVideoWindow* window1_ = nullptr;
  zv::IVideoWindow* window2_ = nullptr;
  std::unique_ptr<CGraphPlayer> engine_;
  uint8_t optionFlag_ = 1;
};
