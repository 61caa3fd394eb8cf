// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/CGraphPlayer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/DiagnosticsLog.h"
#include "player/AudioRendererBin.h"
#include "player/DecoderParamsAdapter.h"
#include "player/ElementFactories.h"
#include "player/FrameRelay.h"
#include "player/ParseFilterClient.h"
#include "player/PlaybackMath.h"
#include "player/VideoRendererSink.h"
#include "player/VideoWindow.h"

using namespace zv;

namespace {

// Element names, as graph tools show them.
constexpr const char* kAacDecoderOneChannel = "COREAAC AUDIO";
constexpr const char* kAacDecoderTwoChannels = "CoreAAC Decoder";
constexpr const char* kAudioRendererName = "DirectSound Audio Renderer";
constexpr const char* kConverterFactory = "videoconvert";
constexpr const char* kRendererFactory = "appsink";

bool PadNameContains(GstPad* pad, const char* marker) {
  GCharPtr name(gst_pad_get_name(pad));
  return name && std::strstr(name.get(), marker) != nullptr;
}

// Calls `visit` for every pad of `element` in its pad order, in `direction`.
template <typename Visit>
void ForEachPad(GstElement* element, GstPadDirection direction, Visit visit) {
  GST_OBJECT_LOCK(element);
  GList* pads = g_list_copy_deep(
      direction == GST_PAD_SRC ? element->srcpads : element->sinkpads,
      [](gconstpointer pad, gpointer) -> gpointer { return gst_object_ref(const_cast<gpointer>(pad)); },
      nullptr);
  GST_OBJECT_UNLOCK(element);
  bool go = true;
  for (GList* l = pads; l && go; l = l->next) go = visit(GST_PAD(l->data));
  g_list_free_full(pads, gst_object_unref);
}

bool FirstCapsArePcm(GstPad* pad) {
  GstCapsPtr caps(gst_pad_query_caps(pad, nullptr));
  if (!caps || gst_caps_is_empty(caps.get()) || gst_caps_is_any(caps.get())) return false;
  return gst_structure_has_name(gst_caps_get_structure(caps.get(), 0), "audio/x-raw");
}

// The caps of the `index`-th source pad of `filter` whose name holds
// `marker` (null when there is none).
GstCapsPtr PadCaps(GstElement* filter, const char* marker, int index) {
  GstCapsPtr caps;
  ForEachPad(filter, GST_PAD_SRC, [&](GstPad* pad) {
    if (!PadNameContains(pad, marker) || index-- > 0) return true;
    caps.reset(gst_pad_query_caps(pad, nullptr));
    return false;
  });
  return caps;
}

}  // namespace

CGraphPlayer::CGraphPlayer(IVideoWindow* window1, IVideoWindow* window2)
    : window1_(window1), window2_(window2) {}

CGraphPlayer::~CGraphPlayer() {
  window1_ = nullptr;
  window2_ = nullptr;
  Teardown();
}

void CGraphPlayer::Prepare(uint8_t optionFlag) {
  ready_ = 1;
  state_ = NoGraph;
  optionFlag_ = optionFlag;
}

int32_t CGraphPlayer::CountVideoPins(GstElement* filter) {
  int32_t count = 0;
  ForEachPad(filter, GST_PAD_SRC, [&](GstPad* pad) {
    if (PadNameContains(pad, kVideoPadMarker)) ++count;
    return true;
  });
  return count;
}

int32_t CGraphPlayer::CountAudioPins(GstElement* filter) {
  int32_t count = 0;
  ForEachPad(filter, GST_PAD_SRC, [&](GstPad* pad) {
    if (PadNameContains(pad, kAudioPadMarker)) count += FirstCapsArePcm(pad) ? 1001 : 1;
    return true;
  });
  return count;
}

int32_t CGraphPlayer::AddFilter(GstElement* element, GstElementPtr& field) {
  if (!element) return -1;
  gst_object_ref_sink(element);
  return AddOwnedFilter(GstElementPtr(element), field);
}

int32_t CGraphPlayer::AddOwnedFilter(GstElementPtr element, GstElementPtr& field) {
  if (!graph_) return E_POINTER;
  if (!gst_bin_add(GST_BIN(graph_.get()), element.get())) return E_FAIL;
  field = std::move(element);
  return S_OK;
}

int32_t CGraphPlayer::ConnectFilters(GstElement* upstream, GstElement* downstream) {
  if (!graph_) return -1;
  if (!upstream || !downstream) return E_POINTER;
  int attempts = 0;
  int32_t result = E_FAIL;
  ForEachPad(upstream, GST_PAD_SRC, [&](GstPad* out) {
    if (gst_pad_is_linked(out)) return true;
    ForEachPad(downstream, GST_PAD_SINK, [&](GstPad* in) {
      if (gst_pad_is_linked(in)) return true;
      if (attempts == 3) {  // only three attempts in one call
        result = 0;
        return false;
      }
      ++attempts;
      if (gst_pad_link(out, in) == GST_PAD_LINK_OK) result = 1;
      return result == E_FAIL;
    });
    return result == E_FAIL;
  });
  return result;
}

CGraphPlayer::LoadedGraph::~LoadedGraph() {
  if (audioRenderer) gst_element_set_state(audioRenderer.get(), GST_STATE_NULL);
  if (graph) gst_element_set_state(graph.get(), GST_STATE_NULL);
}

CGraphPlayer::LoadedGraph CGraphPlayer::LoadGraph(const std::string& path, uint8_t optionFlag) {
  LoadedGraph loaded;
  loaded.path = path;
  loaded.graph.reset(gst_pipeline_new("graph"));
  if (!loaded.graph) {
    loaded.result = E_FAIL;
    return loaded;
  }
  gst_object_ref_sink(loaded.graph.get());
  GstElement* parse = gst_element_factory_make(kParseFilterFactory, kParseFilterElementName);
  if (!parse) {
    loaded.result = REGDB_E_CLASSNOTREG;
    return loaded;
  }
  gst_object_ref_sink(parse);
  loaded.parseFilter.reset(parse);
  if (!gst_bin_add(GST_BIN(loaded.graph.get()), parse)) {
    loaded.result = E_FAIL;
    return loaded;
  }
  if (auto sensors = ParseFilterClient::QuerySensorSource(parse)) sensors->SetOption(optionFlag);
  auto source = ParseFilterClient::QueryFileSource(parse);
  if (!source) return loaded;
  const int32_t result = source->Load(path.c_str());
  loaded.result = result < 0 ? 1 : result;
  if (loaded.result == 0) PrepareForBuild(loaded);
  return loaded;
}

// Loads the plugins of every element the graph will have, and opens the
// sound device, so that building the graph does not wait for either.
void CGraphPlayer::PrepareForBuild(LoadedGraph& loaded) {
  GstElement* parse = loaded.parseFilter.get();
  for (int channel = 0; channel < CountVideoPins(parse); ++channel)
    PreloadVideoDecoderBin(PadCaps(parse, kVideoPadMarker, channel).get());
  PreloadElementFactories({kConverterFactory, kRendererFactory});
  const int32_t audioPins = CountAudioPins(parse);
  if (audioPins <= 0) return;
  if (audioPins < 1000) {
    DecoderFactories factories =
        FindDecoderFactories(PadCaps(parse, kAudioPadMarker, 0).get(), GST_ELEMENT_FACTORY_TYPE_MEDIA_AUDIO);
    PreloadElementFactory(factories.parser.get());
    PreloadElementFactory(factories.decoder.get());
  }
  if (GstElement* renderer = MakeAudioRendererBin(kAudioRendererName)) {
    loaded.audioRenderer.reset(GST_ELEMENT(gst_object_ref_sink(renderer)));
    gst_element_set_state(renderer, GST_STATE_READY);
  }
}

int32_t CGraphPlayer::OpenFile(const std::string& path) {
  if (graphBuilt_) Teardown();
  if (path.empty()) return 1;
  if (parseFilter_) {
    gst_element_set_state(parseFilter_.get(), GST_STATE_NULL);
    parseFilter_.reset();
  }
  return OpenLoadedGraph(LoadGraph(path, optionFlag_));
}

int32_t CGraphPlayer::OpenLoadedGraph(LoadedGraph loaded) {
  if (graphBuilt_) Teardown();
  path_ = std::move(loaded.path);
  graph_ = std::move(loaded.graph);
  parseFilter_ = std::move(loaded.parseFilter);
  readyAudioRenderer_ = std::move(loaded.audioRenderer);
  if (!graph_) return loaded.result;
  relay_ = std::make_unique<FrameRelay>(std::array<IVideoWindow*, 2>{window1_, window2_});
  if (loaded.result != 0) {
    PollBus();  // the parse filter's reason
    LogLine(LogLevel::Error, "cannot open " + path_ + ": " + OpenFailureText(loaded.result));
    return loaded.result;
  }
  channelCount_ = CountVideoPins(parseFilter_.get());
  int32_t built = loaded.result;
  if (channelCount_ == 1) built = BuildOneChannelGraph();
  else if (channelCount_ == 2) built = BuildTwoChannelGraph();
  else LogLine(LogLevel::Error, path_ + ": " + std::to_string(channelCount_) + " video channels; nothing to play");
  if (built < 0) LogLine(LogLevel::Error, "cannot build the graph of " + path_ + ": " + OpenFailureText(built));
  return built;
}

std::string CGraphPlayer::OpenFailureText(int32_t result) {
  switch (result) {
    case 1: return "the parse filter does not load it";
    case REGDB_E_CLASSNOTREG: return "the parse filter is not registered";
    case kNotReady: return "an element is missing (no decoder for a stream?)";
    default: {
      char code[16];
      std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
      return std::string("failed with ") + code;
    }
  }
}

// The decoder bin of a video channel whose pad has `caps`, using at most
// `threads` worker threads.
GstElement* CGraphPlayer::MakeChannelDecoder(GstCaps* caps, unsigned threads, const char* name) const {
  GstElement* decoder = MakeVideoDecoderBin(name, caps);
  if (!decoder) LogMissingDecoder(caps);
  LimitDecoderThreads(decoder, threads);
  return decoder;
}

// The caps of the first `channels` video pads of the parse filter.
std::vector<GstCapsPtr> CGraphPlayer::VideoPadCaps(int channels) const {
  std::vector<GstCapsPtr> caps;
  for (int channel = 0; channel < channels; ++channel)
    caps.push_back(PadCaps(parseFilter_.get(), kVideoPadMarker, channel));
  return caps;
}

// The worker threads of the video decoders for pads with `caps`: the
// processors shared out by the sizes of their pictures.
std::vector<unsigned> CGraphPlayer::ChannelDecoderThreads(const std::vector<GstCapsPtr>& caps) {
  std::vector<double> sizes;
  for (const GstCapsPtr& c : caps) {
    int width = 0, height = 0;
    if (c && gst_caps_get_size(c.get()) > 0) {
      const GstStructure* s = gst_caps_get_structure(c.get(), 0);
      gst_structure_get_int(s, "width", &width);
      gst_structure_get_int(s, "height", &height);
    }
    sizes.push_back(static_cast<double>(width) * height);
  }
  return ShareDecoderThreads(g_get_num_processors(), sizes);
}

void CGraphPlayer::LogMissingDecoder(GstCaps* caps) const {
  GCharPtr text(caps ? gst_caps_to_string(caps) : nullptr);
  LogLine(LogLevel::Error, path_ + ": no decoder on this machine takes " + (text ? text.get() : "(no caps)"));
}

int32_t CGraphPlayer::AddAudioFilters(int32_t audioPins, const char* decoderName) {
  if (audioPins <= 0) return S_OK;
  if (audioPins < 1000) {
    GstCapsPtr caps = PadCaps(parseFilter_.get(), kAudioPadMarker, 0);
    GstElement* decoder = MakeDecodingBin(decoderName, caps.get(), GST_ELEMENT_FACTORY_TYPE_MEDIA_AUDIO);
    if (!decoder) LogMissingDecoder(caps.get());
    const int32_t r = AddFilter(decoder, audioDecoder_);
    if (r < 0) return r;
  }
  if (readyAudioRenderer_) return AddOwnedFilter(std::move(readyAudioRenderer_), audioRenderer_);
  return AddFilter(MakeAudioRendererBin(kAudioRendererName), audioRenderer_);
}

void CGraphPlayer::ConnectAudio(int32_t audioPins) {
  if (audioPins <= 0) return;
  if (audioPins < 1000) {
    ConnectFilters(parseFilter_.get(), audioDecoder_.get());
    ConnectFilters(audioDecoder_.get(), audioRenderer_.get());
  } else {
    ConnectFilters(parseFilter_.get(), audioRenderer_.get());
  }
}

int32_t CGraphPlayer::ConfigureRenderer(GstElement* renderer, int channel) {
  if (!renderer || !relay_) return E_POINTER;
  AttachRendererToChannel(renderer, relay_.get(), channel);
  return S_OK;
}

int32_t CGraphPlayer::BuildOneChannelGraph() {
  const int32_t audioPins = CountAudioPins(parseFilter_.get());
  int32_t r = AddAudioFilters(audioPins, kAacDecoderOneChannel);
  if (r < 0) return r;
  const std::vector<GstCapsPtr> caps = VideoPadCaps(1);
  if ((r = AddFilter(MakeChannelDecoder(caps[0].get(), ChannelDecoderThreads(caps)[0], "FFDShow Decoder1"),
                     decoder1_)) < 0)
    return r;
  if ((r = AddFilter(gst_element_factory_make(kConverterFactory, "Color Space Convertor 1"), converter1_)) < 0)
    return r;
  if ((r = AddFilter(MakeVideoRendererSink("Mixing Renderer9"), renderer1_)) < 0) return r;
  if ((r = ConfigureRenderer(renderer1_.get(), 0)) < 0) return r;
  duration_ = 0;
  ConnectAudio(audioPins);
  ConnectFilters(parseFilter_.get(), decoder1_.get());
  ConnectFilters(decoder1_.get(), converter1_.get());
  ConnectFilters(converter1_.get(), renderer1_.get());
  StopWhenReady();
  int64_t duration = 0;
  GetDuration(&duration);
  return S_OK;
}

int32_t CGraphPlayer::BuildTwoChannelGraph() {
  const int32_t audioPins = CountAudioPins(parseFilter_.get());
  int32_t r = AddAudioFilters(audioPins, kAacDecoderTwoChannels);
  if (r < 0) return r;
  const std::vector<GstCapsPtr> caps = VideoPadCaps(2);
  const std::vector<unsigned> threads = ChannelDecoderThreads(caps);
  if ((r = AddFilter(MakeChannelDecoder(caps[0].get(), threads[0], "FFDShow Decoder1"), decoder1_)) < 0) return r;
  if ((r = AddFilter(MakeChannelDecoder(caps[1].get(), threads[1], "FFDShow Decoder2"), decoder2_)) < 0) return r;
  if ((r = AddFilter(gst_element_factory_make(kConverterFactory, "Color Space Convertor 1"), converter1_)) < 0)
    return r;
  if ((r = AddFilter(gst_element_factory_make(kConverterFactory, "Color Space Convertor 2"), converter2_)) < 0)
    return r;
  if ((r = AddFilter(MakeVideoRendererSink("Mixing Renderer9-1"), renderer1_)) < 0) return r;
  if ((r = AddFilter(MakeVideoRendererSink("Mixing Renderer9-2"), renderer2_)) < 0) return r;
  if ((r = ConfigureRenderer(renderer1_.get(), 0)) < 0) return r;
  if ((r = ConfigureRenderer(renderer2_.get(), 1)) < 0) return r;
  duration_ = 0;
  ConnectAudio(audioPins);
  ConnectFilters(parseFilter_.get(), decoder1_.get());
  ConnectFilters(decoder1_.get(), converter1_.get());
  ConnectFilters(converter1_.get(), renderer1_.get());
  ConnectFilters(parseFilter_.get(), decoder2_.get());
  ConnectFilters(decoder2_.get(), converter2_.get());
  ConnectFilters(converter2_.get(), renderer2_.get());
  StopWhenReady();
  int64_t duration = 0;
  GetDuration(&duration);
  graphBuilt_ = 1;
  return S_OK;
}

// Filters that the pipeline holds beyond the engine's own fields.
void CGraphPlayer::RemoveInsertedFilters() {
  GstIterator* it = gst_bin_iterate_elements(GST_BIN(graph_.get()));
  GValue item = G_VALUE_INIT;
  std::vector<GstElementPtr> leftovers;
  while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
    leftovers.push_back(RefElement(GST_ELEMENT(g_value_get_object(&item))));
    g_value_reset(&item);
  }
  g_value_unset(&item);
  gst_iterator_free(it);
  for (auto& element : leftovers) gst_bin_remove(GST_BIN(graph_.get()), element.get());
}

int32_t CGraphPlayer::Teardown() {
  if (!graph_) return S_OK;
  PollBus();  // what the pipeline reported last goes to the log
  state_ = Stopped;
  // Stopping the pipeline joins its streaming threads, so no frame callback
  // runs once the relay goes.
  gst_element_set_state(graph_.get(), GST_STATE_NULL);
  for (GstElementPtr* field : {&audioRenderer_, &renderer1_, &renderer2_, &decoder1_, &decoder2_,
                               &audioDecoder_, &parseFilter_, &converter1_, &converter2_}) {
    if (!*field) continue;
    gst_bin_remove(GST_BIN(graph_.get()), field->get());
    field->reset();
  }
  RemoveInsertedFilters();
  graph_.reset();
  relay_.reset();
  return S_OK;
}

// ---- Playback control ----------------------------------------------------

// Reads what the pipeline has reported since the last look. Only the end of
// the stream matters to the engine: from then on the position reads as the
// duration, so that the owner sees the recording end.
void CGraphPlayer::PollBus() {
  if (!graph_) return;
  GstBusPtr bus(gst_element_get_bus(graph_.get()));
  while (GstMessagePtr message{gst_bus_pop(bus.get())}) {
    switch (GST_MESSAGE_TYPE(message.get())) {
      case GST_MESSAGE_EOS:
        // The end of a segment that a later seek flushed is not the end.
        if (lastSeekSeqnum_ == GST_SEQNUM_INVALID || gst_message_get_seqnum(message.get()) == lastSeekSeqnum_)
          endOfStream_ = true;
        break;
      case GST_MESSAGE_ERROR:
      case GST_MESSAGE_WARNING:
        LogPipelineMessage(message.get());
        break;
      default:
        break;
    }
  }
}

void CGraphPlayer::LogPipelineMessage(GstMessage* message) const {
  const bool error = GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR;
  GError* raw = nullptr;
  gchar* debug = nullptr;
  if (error) gst_message_parse_error(message, &raw, &debug);
  else gst_message_parse_warning(message, &raw, &debug);
  GErrorPtr reason(raw);
  GCharPtr details(debug);
  GCharPtr source(gst_object_get_path_string(GST_MESSAGE_SRC(message)));
  LogLine(error ? LogLevel::Error : LogLevel::Warning,
          path_ + ": " + (source ? source.get() : "?") + ": " + (reason ? reason->message : "unknown") +
              (details ? std::string(" (") + details.get() + ")" : std::string()));
}

bool CGraphPlayer::Seek(int64_t position, float rate) {
  if (!graph_) return false;
  PollBus();
  const gint64 ns = std::max<int64_t>(position, 0) * 100;
  GstEvent* seek = gst_event_new_seek(rate, GST_FORMAT_TIME, GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                      GST_SEEK_TYPE_SET, ns, GST_SEEK_TYPE_NONE, -1);
  const uint32_t seqnum = gst_event_get_seqnum(seek);
  const bool done = gst_element_send_event(graph_.get(), seek);
  if (done) {
    endOfStream_ = false;
    appliedRate_ = rate;
    lastSeekSeqnum_ = seqnum;
    lastPosition_ = ns / 100;  // where the pipeline now stands, before the sinks can tell
  }
  return done;
}

int32_t CGraphPlayer::ApplyRate(float rate) {
  if (rate == appliedRate_) return S_OK;
  int64_t position = 0;
  GetCurrentPosition(&position);
  return Seek(position, rate) ? S_OK : E_FAIL;
}

int32_t CGraphPlayer::Run() {
  if (!ready_) return kNotReady;
  if (state_ != Paused && state_ != Stopped) return VFW_E_WRONG_STATE;
  if (!graph_) return E_POINTER;
  int64_t position = -1, duration = -2;
  GetCurrentPosition(&position);
  GetDuration(&duration);
  if (position == duration) SetPosition(0);  // played to its end: start again
  rate_ = PlayableRate(rate_);
  ApplyRate(rate_);
  if (gst_element_set_state(graph_.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    PollBus();
    LogLine(LogLevel::Error, "cannot play " + path_ + ": the pipeline refused to start");
    return E_FAIL;
  }
  state_ = Running;
  return S_OK;  // the audio balance is always centred
}

int32_t CGraphPlayer::Pause() {
  if (!ready_) return kNotReady;
  if (!graph_) return E_POINTER;
  if (gst_element_set_state(graph_.get(), GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE)
    return E_FAIL;
  state_ = Paused;
  return S_OK;
}

// Stopping keeps the pipeline cued at its position (a paused pipeline), so a
// seek while stopped still shows its picture and Run goes on from there.
int32_t CGraphPlayer::Stop() {
  if (!ready_) return kNotReady;
  if (state_ != Running && state_ != Paused) return VFW_E_WRONG_STATE;
  if (!graph_) return E_POINTER;
  gst_element_set_state(graph_.get(), GST_STATE_PAUSED);
  state_ = Stopped;
  return S_OK;
}

int32_t CGraphPlayer::StopWhenReady() {
  if (!graph_) return E_POINTER;
  gst_element_set_state(graph_.get(), GST_STATE_PAUSED);
  state_ = Stopped;
  graphBuilt_ = 1;
  return S_OK;
}

int32_t CGraphPlayer::GetCurrentPosition(int64_t* position) {
  if (!graph_) return S_OK;
  PollBus();
  int64_t duration = 0;
  if (endOfStream_ && GetDuration(&duration) == S_OK && duration > 0) {
    *position = duration;
    return S_OK;
  }
  // Right after a seek or a state change the sinks cannot tell the position
  // for a moment: the last one known (a seek's target counts) stands for it.
  gint64 ns = 0;
  if (gst_element_query_position(graph_.get(), GST_FORMAT_TIME, &ns) && ns >= 0) lastPosition_ = ns / 100;
  *position = lastPosition_;
  return S_OK;
}

int32_t CGraphPlayer::GetDuration(int64_t* duration) {
  if (!graph_) return S_OK;
  if (duration_ != 0) {
    *duration = duration_;
    return S_OK;
  }
  // The parse filter knows the length from the file as soon as it is loaded,
  // before the pipeline can answer.
  gint64 ns = 0;
  const bool known =
      (parseFilter_ && gst_element_query_duration(parseFilter_.get(), GST_FORMAT_TIME, &ns)) ||
      gst_element_query_duration(graph_.get(), GST_FORMAT_TIME, &ns);
  if (!known || ns <= 0) return E_FAIL;
  duration_ = ns / 100;
  *duration = duration_;
  return S_OK;
}

int32_t CGraphPlayer::SetPosition(int64_t position) {
  if (!graph_) return E_POINTER;
  return Seek(position, appliedRate_) ? S_OK : E_FAIL;
}

int32_t CGraphPlayer::PutVolume(int32_t level) {
  if (!graph_) return S_OK;
  if (level == 0) level = -10000;
  return SetAudioRendererVolume(audioRenderer_.get(), LinearVolumeFromLevel(level)) ? S_OK : E_FAIL;
}

int32_t CGraphPlayer::SetBrightness(int32_t offset) {
  const int32_t value = BrightnessValueFromOffset(offset);
  int32_t result = S_OK;
  for (GstElement* decoder : {decoder1_.get(), decoder2_.get()}) {
    auto params = DecoderParamsAdapter::Query(decoder);
    if (!params) continue;
    params->PutParam(kParamBrightnessEnable, 1);
    result = params->PutParam(kParamBrightness, value);
  }
  if (value != brightness_) {
    brightness_ = value;
    PresentStillPictureAgain();
  }
  return result;
}

int32_t CGraphPlayer::SetRearMirror(bool mirrored) {
  auto params = DecoderParamsAdapter::Query(decoder2_.get());
  if (!params) return S_OK;
  params->PutParam(kParamMirrorEnable, 1);
  const int32_t result = params->PutParam(kParamMirror, mirrored ? 1 : 0);
  if (mirrored != mirrored_) {
    mirrored_ = mirrored;
    PresentStillPictureAgain();
  }
  return result;
}

// A paused or stopped pipeline holds its still picture as it was decoded:
// a flushing seek to where it stands sends that picture through the
// decoders' brightness and mirror once more, so a change shows at once.
// Playing, the next frame shows it anyway.
void CGraphPlayer::PresentStillPictureAgain() {
  if (!graph_ || (state_ != Paused && state_ != Stopped)) return;
  int64_t position = 0;
  if (GetCurrentPosition(&position) == S_OK) Seek(position, appliedRate_);
}

// ---- Frame steps ---------------------------------------------------------

bool CGraphPlayer::FrameRate(int32_t* num, int32_t* den) const {
  if (!parseFilter_) return false;
  bool found = false;
  ForEachPad(parseFilter_.get(), GST_PAD_SRC, [&](GstPad* pad) {
    if (!PadNameContains(pad, kVideoPadMarker)) return true;
    GstCapsPtr caps(gst_pad_query_caps(pad, nullptr));
    found = caps && !gst_caps_is_empty(caps.get()) &&
            gst_structure_get_fraction(gst_caps_get_structure(caps.get(), 0), "framerate", num, den) && *num > 0 &&
            *den > 0;
    return false;  // the front channel sets the pace
  });
  return found;
}

int32_t CGraphPlayer::StepFrames(int32_t frames, int64_t* target) {
  if (state_ != Paused || !graph_) return VFW_E_WRONG_STATE;
  int32_t num = 0, den = 0;
  int64_t position = 0, duration = 0;
  if (!FrameRate(&num, &den) || GetCurrentPosition(&position) != S_OK || GetDuration(&duration) != S_OK || duration <= 0)
    return E_FAIL;
  // Frame i starts at i × den / num seconds. Positions are 100-ns units and
  // may lie a little short of a frame's start after rounding; 1 µs of slack
  // keeps such a position on its frame. At the end of the stream the
  // position reads as the duration: the last frame is on screen.
  constexpr uint64_t kSlackNs = 1000;
  const uint64_t framePeriod = static_cast<uint64_t>(den) * GST_SECOND;
  const auto frameAt = [&](uint64_t ns) { return static_cast<int64_t>(gst_util_uint64_scale(ns, num, framePeriod)); };
  const int64_t last = static_cast<int64_t>(gst_util_uint64_scale_ceil(duration * 100, num, framePeriod)) - 1;
  const int64_t shown = std::min(frameAt(position * 100 + kSlackNs), last);
  const int64_t frame = std::clamp<int64_t>(shown + frames, 0, std::max<int64_t>(last, 0));
  *target = position;
  if (frame == shown) return S_OK;
  *target = static_cast<int64_t>(gst_util_uint64_scale(2 * frame + 1, framePeriod, 2 * static_cast<uint64_t>(num)) / 100);
  return SetPosition(*target);
}

// ---- Video windows -------------------------------------------------------

int32_t CGraphPlayer::UpdateVideoWindows() {
  if (renderer1_ && window1_) window1_->RepaintFrame();
  if (renderer2_ && window2_) window2_->RepaintFrame();
  return S_OK;
}

int32_t CGraphPlayer::RepaintVideo() {
  if (!renderer1_) return S_OK;
  if (window1_) window1_->RepaintFrame();
  return S_OK;
}

int32_t CGraphPlayer::GetCurrentImage(int channel, QImage* image) const {
  const GstElementPtr& renderer = channel == 0 ? renderer1_ : renderer2_;
  if ((channel != 0 && channel != 1) || !renderer || !relay_) return E_POINTER;
  QImage frame = relay_->LatestFrame(channel).ToImage();
  if (frame.isNull()) return E_FAIL;
  *image = std::move(frame);
  return S_OK;
}

int CGraphPlayer::DeliveredFrames(int channel) const {
  return relay_ ? relay_->DeliveredCount(channel) : 0;
}
