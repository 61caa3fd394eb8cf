// SPDX-License-Identifier: GPL-3.0-or-later
// Encodes the pictures of one or two cameras to H.264 and, optionally, mono
// 16-bit audio to AAC with a GStreamer pipeline (appsrc -> encoder ->
// appsink) and collects the encoded access units in memory.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

typedef struct _GstElement GstElement;
typedef struct _GstAppSink GstAppSink;

namespace zv::mkrec {

struct EncodedUnit
{
    std::vector<std::uint8_t> data;
    bool keyFrame = false;
};

struct EncoderSettings
{
    QSize front;
    std::optional<QSize> rear;
    int fps = 30;
    int videoKbps = 0; // per channel; 0: a default from the picture size
    int bFrames = 0;   // access units then come in decode order
    bool aac = false;
    int sampleRate = 16000;
    int aacBitRate = 48000;
};

class MediaEncoder
{
public:
    explicit MediaEncoder(EncoderSettings settings);
    ~MediaEncoder();
    MediaEncoder(const MediaEncoder&) = delete;
    MediaEncoder& operator=(const MediaEncoder&) = delete;

    bool Start();
    // Picture `frame` of a channel (0 front, 1 rear); Format_RGB32, channel size.
    bool PushPicture(int channel, const QImage& picture, int frame);
    // Mono samples starting at sample `first` of the recording.
    bool PushAudio(const std::vector<std::int16_t>& samples, std::uint64_t first);
    // Ends the streams and waits until everything is encoded.
    bool Finish();

    const std::string& Error() const { return m_error; }
    const std::vector<EncodedUnit>& Video(int channel) const { return m_video[channel]; }
    const std::vector<EncodedUnit>& Audio() const { return m_audio; }
    const std::vector<std::uint8_t>& AudioSpecificConfig() const { return m_audioConfig; }

private:
    struct SinkTarget
    {
        MediaEncoder* encoder;
        std::vector<EncodedUnit>* units;
    };
    static int OnNewSample(GstAppSink* sink, void* target);
    std::string PipelineDescription() const;
    void ConnectSink(const char* name, SinkTarget& target);
    bool Fail(const std::string& what);
    bool CheckBus();

    EncoderSettings m_settings;
    GstElement* m_pipeline = nullptr;
    GstElement* m_sources[3] = {nullptr, nullptr, nullptr}; // front, rear, audio
    SinkTarget m_targets[3];
    std::vector<EncodedUnit> m_video[2];
    std::vector<EncodedUnit> m_audio;
    std::vector<std::uint8_t> m_audioConfig;
    std::mutex m_mutex;
    std::string m_error;
};

} // namespace zv::mkrec
