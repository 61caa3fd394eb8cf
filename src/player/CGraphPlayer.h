// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gst/gst.h>

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "player/GstHandles.h"
#include "player/PlayState.h"

namespace zv {
class FrameRelay;
class IVideoWindow;
}  // namespace zv

// The engine of one opened recording: a GStreamer pipeline made of the
// stream parse filter, one decoder chain per video channel drawing into its
// window, and the audio chain. All calls come from the user-interface thread
// and return at once; none waits for the pipeline to change state.
class CGraphPlayer {
 public:
  CGraphPlayer(zv::IVideoWindow* window1, zv::IVideoWindow* window2);
  ~CGraphPlayer();
  CGraphPlayer(const CGraphPlayer&) = delete;
  CGraphPlayer& operator=(const CGraphPlayer&) = delete;

  // Readies the engine for use: ready, no graph, the option flag given.
  void Prepare(uint8_t optionFlag);
  void SetOptionFlag(uint8_t flag) { optionFlag_ = flag; }

  // A pipeline holding the parse filter with the recording loaded into it:
  // the slow part of an open (it reads the file), which any thread may do.
  struct LoadedGraph {
    zv::GstElementPtr graph;
    zv::GstElementPtr parseFilter;
    // Made ready when the recording has audio: opening the sound device is
    // slow, so it is done here too.
    zv::GstElementPtr audioRenderer;
    std::string path;
    // 0 when the recording loaded, 1 when it did not, or the negative
    // result of the step that failed.
    int32_t result = 1;

    LoadedGraph() = default;
    LoadedGraph(LoadedGraph&&) = default;
    LoadedGraph& operator=(LoadedGraph&&) = default;
    // A graph that no engine took (a superseded or cancelled open) gives
    // its sound device back before it goes.
    ~LoadedGraph();
  };
  // Creates the pipeline, adds the parse filter, sets its option and loads
  // the recording. Touches no engine, so it runs on any thread.
  static LoadedGraph LoadGraph(const std::string& path, uint8_t optionFlag);

  // 0 when a graph was built, 1 when the recording did not open, or the
  // negative result of the step that failed.
  int32_t OpenFile(const std::string& path);
  // The rest of OpenFile once LoadGraph has run: takes the pipeline and
  // builds the graph for the channels the parse filter offers.
  int32_t OpenLoadedGraph(LoadedGraph loaded);
  int32_t Teardown();

  int32_t Run();
  int32_t Pause();
  int32_t Stop();
  int32_t StopWhenReady();
  // 100-ns units; when the pipeline cannot tell (right after a seek), the
  // last position known.
  int32_t GetCurrentPosition(int64_t* position);
  int32_t GetDuration(int64_t* duration);         // 100-ns units, cached
  int32_t SetPosition(int64_t position);
  int32_t PutVolume(int32_t level);               // hundredths of a decibel
  int32_t SetBrightness(int32_t offset);          // slider position − 50
  int32_t SetRearMirror(bool mirrored);
  // Shows the frame `frames` frames after (before, when negative) the one on
  // screen, held within the recording: an accurate seek to the middle of
  // that frame, so both channels and the sound land on it. Paused only.
  // `position` receives where it goes (100-ns units).
  int32_t StepFrames(int32_t frames, int64_t* position);
  // The front video's frame rate; false when it is not known.
  bool FrameRate(int32_t* num, int32_t* den) const;
  void SetRate(float rate) { rate_ = rate; }
  float GetRate() const { return rate_; }

  int32_t UpdateVideoWindows();
  int32_t RepaintVideo();
  // The current picture of channel 0 (front) or 1 (rear), top row first.
  int32_t GetCurrentImage(int channel, QImage* image) const;

  zv::PlayState GetState() const { return state_; }
  int32_t GetChannelCount() const { return channelCount_; }
  GstElement* Pipeline() const { return graph_.get(); }
  // Frames shown so far on the channel's window.
  int DeliveredFrames(int channel) const;

  static int32_t CountVideoPins(GstElement* filter);
  static int32_t CountAudioPins(GstElement* filter);

 private:
  int32_t AddFilter(GstElement* element, zv::GstElementPtr& field);  // takes a floating reference
  int32_t AddOwnedFilter(zv::GstElementPtr element, zv::GstElementPtr& field);
  int32_t ConnectFilters(GstElement* upstream, GstElement* downstream);
  static void PrepareForBuild(LoadedGraph& loaded);
  GstElement* MakeChannelDecoder(GstCaps* caps, unsigned threads, const char* name) const;
  std::vector<zv::GstCapsPtr> VideoPadCaps(int channels) const;
  static std::vector<unsigned> ChannelDecoderThreads(const std::vector<zv::GstCapsPtr>& caps);
  void LogMissingDecoder(GstCaps* caps) const;
  static std::string OpenFailureText(int32_t result);
  int32_t AddAudioFilters(int32_t audioPins, const char* decoderName);
  void ConnectAudio(int32_t audioPins);
  int32_t ConfigureRenderer(GstElement* renderer, int channel);
  int32_t BuildOneChannelGraph();
  int32_t BuildTwoChannelGraph();
  int32_t ApplyRate(float rate);
  bool Seek(int64_t position, float rate);
  void PollBus();
  void LogPipelineMessage(GstMessage* message) const;
  void RemoveInsertedFilters();
  void PresentStillPictureAgain();

  zv::GstElementPtr renderer1_, renderer2_;
  zv::GstElementPtr graph_;
  zv::GstElementPtr parseFilter_;
  zv::GstElementPtr decoder1_, decoder2_;
  zv::GstElementPtr audioDecoder_;
  zv::GstElementPtr audioRenderer_;
  zv::GstElementPtr readyAudioRenderer_;  // made by LoadGraph, until the build takes it
  zv::GstElementPtr converter1_, converter2_;
  zv::IVideoWindow* window1_;
  zv::IVideoWindow* window2_;
  int32_t ready_ = 0;
  int32_t graphBuilt_ = 0;
  float rate_ = 1.0f;
  int64_t duration_ = 0;
  zv::PlayState state_ = zv::NoGraph;
  int32_t channelCount_ = 0;
  std::string path_;
  uint8_t optionFlag_ = 0;

  float appliedRate_ = 1.0f;      // the rate the pipeline plays at
  bool endOfStream_ = false;      // the pipeline has played to its end
  int32_t brightness_ = 0;        // the decoders' brightness value
  bool mirrored_ = false;         // the rear decoder mirrors
  int64_t lastPosition_ = 0;      // the last position known, 100-ns units
  uint32_t lastSeekSeqnum_ = GST_SEQNUM_INVALID;
  std::unique_ptr<zv::FrameRelay> relay_;
};
