// SPDX-License-Identifier: GPL-3.0-or-later
#include "MediaEncoder.h"

#include <gst/app/gstappsink.h>
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <utility>

namespace zv::mkrec {

namespace {

constexpr int kAudioSource = 2;
constexpr GstClockTime kFinishTimeout = 300 * GST_SECOND;

// Bit rate that keeps sharp edges (the frame code) intact at a modest size.
int VideoKbps(QSize size, int fps)
{
    return std::max(300, int(double(size.width()) * size.height() * fps * 0.05 / 1000));
}

// Without B-frames the encoder runs with zero latency; with them (which that
// tuning forbids) it reorders, and the access units come in decode order.
std::string VideoBranch(const char* name, QSize size, int fps, int kbps, int bFrames)
{
    const std::string tuning = bFrames > 0 ? "" : "tune=zerolatency ";
    const std::string w = std::to_string(size.width()), h = std::to_string(size.height());
    return std::string("appsrc name=") + name + "src format=time block=true max-bytes="
         + std::to_string(size.width() * size.height() * 4 * 4) + " caps=video/x-raw,format=BGRx,width=" + w
         + ",height=" + h + ",framerate=" + std::to_string(fps) + "/1"
         + " ! videoconvert ! video/x-raw,format=I420 ! x264enc " + tuning
         + "speed-preset=ultrafast bframes=" + std::to_string(bFrames) + " aud=false key-int-max="
         + std::to_string(fps) + " bitrate=" + std::to_string(kbps > 0 ? kbps : VideoKbps(size, fps))
         + " ! h264parse config-interval=-1 ! video/x-h264,stream-format=byte-stream,alignment=au"
           " ! appsink name="
         + name + "sink sync=false ";
}

} // namespace

MediaEncoder::MediaEncoder(EncoderSettings settings) : m_settings(std::move(settings))
{
    m_targets[0] = {this, &m_video[0]};
    m_targets[1] = {this, &m_video[1]};
    m_targets[2] = {this, &m_audio};
}

MediaEncoder::~MediaEncoder()
{
    if (m_pipeline != nullptr) {
        gst_element_set_state(m_pipeline, GST_STATE_NULL);
        gst_object_unref(m_pipeline);
    }
    for (GstElement* source : m_sources)
        if (source != nullptr)
            gst_object_unref(source);
}

bool MediaEncoder::Fail(const std::string& what)
{
    if (m_error.empty())
        m_error = what;
    return false;
}

std::string MediaEncoder::PipelineDescription() const
{
    std::string description = VideoBranch("front", m_settings.front, m_settings.fps, m_settings.videoKbps, m_settings.bFrames);
    if (m_settings.rear)
        description += VideoBranch("rear", *m_settings.rear, m_settings.fps, m_settings.videoKbps, m_settings.bFrames);
    if (m_settings.aac)
        description += "appsrc name=audiosrc format=time block=true max-bytes=65536"
                       " caps=audio/x-raw,format=S16LE,layout=interleaved,channels=1,rate="
                     + std::to_string(m_settings.sampleRate)
                     + " ! audioconvert ! avenc_aac bitrate=" + std::to_string(m_settings.aacBitRate)
                     + " ! audio/mpeg,mpegversion=4,stream-format=raw ! appsink name=audiosink sync=false";
    return description;
}

void MediaEncoder::ConnectSink(const char* name, SinkTarget& target)
{
    GstElement* sink = gst_bin_get_by_name(GST_BIN(m_pipeline), name);
    GstAppSinkCallbacks callbacks{};
    callbacks.new_sample = [](GstAppSink* s, gpointer data) {
        return GstFlowReturn(OnNewSample(s, data));
    };
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, &target, nullptr);
    gst_object_unref(sink);
}

bool MediaEncoder::Start()
{
    GError* error = nullptr;
    m_pipeline = gst_parse_launch(PipelineDescription().c_str(), &error);
    if (m_pipeline == nullptr || error != nullptr) {
        const std::string message = error != nullptr ? error->message : "unknown error";
        g_clear_error(&error);
        return Fail("cannot build the encoding pipeline (are x264enc and avenc_aac installed?): " + message);
    }
    const char* sources[3] = {"frontsrc", "rearsrc", "audiosrc"};
    const char* sinks[3] = {"frontsink", "rearsink", "audiosink"};
    for (int i = 0; i < 3; ++i) {
        m_sources[i] = gst_bin_get_by_name(GST_BIN(m_pipeline), sources[i]);
        if (m_sources[i] != nullptr)
            ConnectSink(sinks[i], m_targets[i]);
    }
    if (gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
        return CheckBus() && Fail("cannot start the encoding pipeline");
    return true;
}

int MediaEncoder::OnNewSample(GstAppSink* sink, void* data)
{
    auto* target = static_cast<SinkTarget*>(data);
    GstSample* sample = gst_app_sink_pull_sample(sink);
    if (sample == nullptr)
        return GST_FLOW_EOS;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstMapInfo map;
    if (buffer != nullptr && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        EncodedUnit unit;
        unit.data.assign(map.data, map.data + map.size);
        unit.keyFrame = !GST_BUFFER_FLAG_IS_SET(buffer, GST_BUFFER_FLAG_DELTA_UNIT);
        gst_buffer_unmap(buffer, &map);
        std::lock_guard lock(target->encoder->m_mutex);
        if (target->units == &target->encoder->m_audio && target->encoder->m_audioConfig.empty()) {
            const GstStructure* caps = gst_caps_get_structure(gst_sample_get_caps(sample), 0);
            const GValue* config = gst_structure_get_value(caps, "codec_data");
            GstMapInfo configMap;
            if (config != nullptr && gst_buffer_map(gst_value_get_buffer(config), &configMap, GST_MAP_READ)) {
                target->encoder->m_audioConfig.assign(configMap.data, configMap.data + configMap.size);
                gst_buffer_unmap(gst_value_get_buffer(config), &configMap);
            }
        }
        target->units->push_back(std::move(unit));
    }
    gst_sample_unref(sample);
    return GST_FLOW_OK;
}

bool MediaEncoder::PushPicture(int channel, const QImage& picture, int frame)
{
    GstElement* source = m_sources[channel];
    if (source == nullptr)
        return Fail("no such video channel");
    auto* held = new QImage(picture);
    GstBuffer* buffer = gst_buffer_new_wrapped_full(
        GST_MEMORY_FLAG_READONLY, const_cast<uchar*>(held->constBits()), held->sizeInBytes(), 0,
        held->sizeInBytes(), held, [](gpointer image) { delete static_cast<QImage*>(image); });
    GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(frame, GST_SECOND, m_settings.fps);
    GST_BUFFER_DURATION(buffer) = gst_util_uint64_scale(1, GST_SECOND, m_settings.fps);
    if (gst_app_src_push_buffer(GST_APP_SRC(source), buffer) != GST_FLOW_OK)
        return CheckBus() && Fail("the video encoder stopped");
    return true;
}

bool MediaEncoder::PushAudio(const std::vector<std::int16_t>& samples, std::uint64_t first)
{
    GstElement* source = m_sources[kAudioSource];
    if (source == nullptr)
        return Fail("no audio stream");
    const gsize bytes = samples.size() * sizeof(std::int16_t);
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, bytes, nullptr);
    gst_buffer_fill(buffer, 0, samples.data(), bytes);
    GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(first, GST_SECOND, m_settings.sampleRate);
    GST_BUFFER_DURATION(buffer) = gst_util_uint64_scale(samples.size(), GST_SECOND, m_settings.sampleRate);
    if (gst_app_src_push_buffer(GST_APP_SRC(source), buffer) != GST_FLOW_OK)
        return CheckBus() && Fail("the audio encoder stopped");
    return true;
}

// Takes an error message off the bus, if any. False when there was one.
bool MediaEncoder::CheckBus()
{
    GstBus* bus = gst_element_get_bus(m_pipeline);
    GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    if (message == nullptr)
        return true;
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    Fail(std::string("encoding failed: ") + (error != nullptr ? error->message : "unknown error"));
    g_clear_error(&error);
    gst_message_unref(message);
    return false;
}

bool MediaEncoder::Finish()
{
    for (GstElement* source : m_sources)
        if (source != nullptr)
            gst_app_src_end_of_stream(GST_APP_SRC(source));
    GstBus* bus = gst_element_get_bus(m_pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, kFinishTimeout, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    gst_object_unref(bus);
    bool ok = message != nullptr && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message != nullptr && GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
        GError* error = nullptr;
        gst_message_parse_error(message, &error, nullptr);
        Fail(std::string("encoding failed: ") + (error != nullptr ? error->message : "unknown error"));
        g_clear_error(&error);
    } else if (message == nullptr) {
        Fail("encoding did not finish in time");
    }
    if (message != nullptr)
        gst_message_unref(message);
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    if (ok && m_settings.aac && m_audioConfig.empty())
        return Fail("the AAC encoder gave no AudioSpecificConfig");
    return ok;
}

} // namespace zv::mkrec
