// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/CVideoPlayer.h"

#include "platform/RegistryStore.h"
#include "player/PlaybackMath.h"
#include "player/PlayerMachineSetting.h"
#include "player/VideoWindow.h"

using namespace zv;

CVideoPlayer::CVideoPlayer() { WriteUsingDShowSetting(RegistryStore::System()); }

// The windows may be gone by now: the engine goes without a word to them.
CVideoPlayer::~CVideoPlayer() { engine_.reset(); }

void CVideoPlayer::CreateEngine() {
  engine_ = std::make_unique<CGraphPlayer>(window1_, window2_);
  engine_->Prepare(optionFlag_);
}

void CVideoPlayer::Init(IVideoWindow* window1, IVideoWindow* window2) {
  window1_ = window1;
  window2_ = window2;
  if (!engine_) {
    CreateEngine();
    engine_->Prepare(1);
  }
}

int CVideoPlayer::Open(const std::string& path) {
  if (!BeginOpen(path)) return 0;
  return FinishOpen(CGraphPlayer::LoadGraph(path, optionFlag_));
}

bool CVideoPlayer::BeginOpen(const std::string& path) {
  if (!window1_ || path.empty()) return false;
  if (engine_) {
    engine_->Stop();
    engine_->SetPosition(0);
    Close();
  }
  return true;
}

int CVideoPlayer::FinishOpen(CGraphPlayer::LoadedGraph loaded) {
  CreateEngine();
  if (engine_->OpenLoadedGraph(std::move(loaded)) == 1) {
    Close();
    return 0;
  }
  return 1;
}

void CVideoPlayer::Close() {
  if (!engine_) return;
  engine_.reset();
  for (IVideoWindow* window : {window1_, window2_})
    if (window) window->DetachFrame();
}

int CVideoPlayer::SeekTo(int32_t positionMs) {
  if (!engine_ || !engine_->Pipeline()) return 1;
  return engine_->SetPosition(static_cast<int64_t>(positionMs) * kUnitsPerMs) < 0 ? 0 : 1;
}

int CVideoPlayer::StepFrames(int32_t frames, int64_t* positionMs) {
  int64_t position = 0;
  if (!engine_ || engine_->StepFrames(frames, &position) < 0) return 0;
  *positionMs = position / kUnitsPerMs;
  return 1;
}

uint64_t CVideoPlayer::GetDurationMs() {
  if (!engine_) return 0;
  int64_t duration = 0;
  engine_->GetDuration(&duration);
  return static_cast<uint64_t>(duration) / kUnitsPerMs;
}

int CVideoPlayer::SetRate(float rate) {
  if (!engine_) return 0;
  const PlayState before = engine_->GetState();
  engine_->Pause();
  engine_->SetRate(rate);
  if (before == Running) engine_->Run();
  return 1;
}

int CVideoPlayer::SetVolume(int32_t percent) {
  if (!engine_) return 1;
  return engine_->PutVolume(VolumeLevelFromPercent(percent)) < 0 ? 0 : 1;
}

int CVideoPlayer::SetBrightness(int32_t offset) {
  if (engine_) engine_->SetBrightness(offset);
  return 1;
}

int CVideoPlayer::SetRearMirror(bool mirrored) {
  if (engine_) engine_->SetRearMirror(mirrored);
  return 1;
}

int CVideoPlayer::CaptureFrame(int channel, QImage* image) {
  if (!engine_ || engine_->GetCurrentImage(channel, image) < 0) return 0;
  return image->isNull() ? 0 : 1;
}
