// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingGenerator.h"

#include "AviWriter.h"
#include "EngineSound.h"
#include "RouteSimulator.h"
#include "SceneRenderer.h"
#include "TestChartRenderer.h"

#include <QFileInfo>

#include <cmath>

namespace zv::mkrec {

RecordingGenerator::RecordingGenerator(RecordingOptions options) : m_options(std::move(options)) {}

bool RecordingGenerator::Fail(const std::string& what)
{
    if (m_error.empty())
        m_error = what;
    return false;
}

int RecordingGenerator::FrameCount() const
{
    return std::max(1, int(std::lround(m_options.seconds * m_options.fps)));
}

std::uint64_t RecordingGenerator::FirstSampleOfFrame(int frame) const
{
    return std::uint64_t(frame) * m_options.sampleRate / m_options.fps;
}

RouteSimulator RecordingGenerator::Route() const
{
    return RouteSimulator(FrameCount() / double(m_options.fps), m_options.routeStartM, m_options.parked);
}

bool RecordingGenerator::Write(const std::string& path)
{
    // Find an unusable output folder before the long encoding, not after.
    const QFileInfo folder(QFileInfo(QString::fromStdString(path)).absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return Fail("cannot write into the folder " + folder.filePath().toStdString());
    EncoderSettings settings;
    settings.front = m_options.front;
    settings.rear = m_options.rear;
    settings.fps = m_options.fps;
    settings.videoKbps = m_options.videoKbps;
    settings.bFrames = m_options.bFrames;
    settings.aac = m_options.audio == AudioMode::Aac;
    settings.sampleRate = m_options.sampleRate;
    MediaEncoder encoder(settings);
    std::vector<std::int16_t> pcm;
    if (!Encode(encoder, pcm))
        return false;

    const std::uint32_t durationMs = std::uint32_t(std::llround(FrameCount() * 1000.0 / m_options.fps));
    const RouteSimulator route = Route();
    const SensorRecordGenerator sensors(route, m_options.start, m_options.gps, m_options.event,
                                        std::uint32_t(m_options.start.toSecsSinceEpoch()));
    AviWriter writer(Layout(encoder));
    if (!writer.Open(path) || !WriteInterleaved(writer, encoder, pcm, sensors.Generate(durationMs))
        || !writer.Close())
        return Fail(writer.Error());
    return true;
}

// Draws and encodes every picture and the sound. PCM sound is kept in `pcm`
// instead of being encoded.
bool RecordingGenerator::Encode(MediaEncoder& encoder, std::vector<std::int16_t>& pcm)
{
    if (!encoder.Start())
        return Fail(encoder.Error());
    const int frames = FrameCount();
    const RouteSimulator route = Route();
    const SceneRenderer front(FrameCodeChannel::Front, m_options.front, m_options.texture);
    std::optional<SceneRenderer> rear;
    if (m_options.rear)
        rear.emplace(FrameCodeChannel::Rear, *m_options.rear, m_options.texture);
    std::optional<TestChartRenderer> frontChart, rearChart;
    if (m_options.scene == SceneKind::Chart) {
        frontChart.emplace(FrameCodeChannel::Front, m_options.front);
        if (m_options.rear)
            rearChart.emplace(FrameCodeChannel::Rear, *m_options.rear);
    }
    EngineSound sound(m_options.sampleRate);
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / m_options.fps;
        const SceneMoment moment{i, route.DistanceM(t), route.SpeedKmh(t),
                                 m_options.start.addMSecs(std::llround(t * 1000))};
        if (!encoder.PushPicture(0, frontChart ? frontChart->Render(i) : front.Render(moment), i))
            return Fail(encoder.Error());
        if (rear && !encoder.PushPicture(1, rearChart ? rearChart->Render(i) : rear->Render(moment), i))
            return Fail(encoder.Error());
        if (m_options.audio == AudioMode::None)
            continue;
        const std::uint64_t first = FirstSampleOfFrame(i);
        const std::vector<std::int16_t> samples = sound.Next(FirstSampleOfFrame(i + 1) - first);
        if (m_options.audio == AudioMode::Pcm)
            pcm.insert(pcm.end(), samples.begin(), samples.end());
        else if (!encoder.PushAudio(samples, first))
            return Fail(encoder.Error());
    }
    if (!encoder.Finish())
        return Fail(encoder.Error());
    for (int channel = 0; channel < (m_options.rear ? 2 : 1); ++channel)
        if (int(encoder.Video(channel).size()) != frames)
            return Fail("the video encoder returned " + std::to_string(encoder.Video(channel).size())
                        + " frames instead of " + std::to_string(frames));
    return true;
}

AviLayout RecordingGenerator::Layout(const MediaEncoder& encoder) const
{
    AviLayout layout;
    layout.fpsNumerator = m_options.fps;
    layout.front = {m_options.front.width(), m_options.front.height()};
    if (m_options.rear)
        layout.rear = AviVideoFormat{m_options.rear->width(), m_options.rear->height()};
    if (m_options.audio != AudioMode::None) {
        AviAudioFormat audio;
        audio.codec = m_options.audio == AudioMode::Aac ? AviAudioFormat::Codec::Aac : AviAudioFormat::Codec::Pcm;
        audio.sampleRate = m_options.sampleRate;
        audio.audioSpecificConfig = encoder.AudioSpecificConfig();
        layout.audio = audio;
    }
    layout.riffLimit = m_options.riffLimit;
    return layout;
}

// Per front frame i: the frame, the sensor records of its time span, the
// rear frame, then the audio that starts before the next frame.
bool RecordingGenerator::WriteInterleaved(AviWriter& writer, const MediaEncoder& encoder,
                                          const std::vector<std::int16_t>& pcm,
                                          const std::vector<SensorRecord>& records)
{
    const std::vector<EncodedUnit>& aac = encoder.Audio();
    std::size_t nextAac = 0, nextRecord = 0;
    const int frames = FrameCount();
    for (int i = 0; i < frames; ++i) {
        const EncodedUnit& front = encoder.Video(0)[i];
        if (!writer.WriteVideo(0, front.data.data(), front.data.size(), front.keyFrame))
            return false;
        const std::uint64_t spanEndMs = std::uint64_t(i + 1) * 1000;
        for (; nextRecord < records.size()
               && std::uint64_t(records[nextRecord].timeMs) * m_options.fps < spanEndMs;
             ++nextRecord) {
            const SensorRecord& r = records[nextRecord];
            if (!writer.WriteSensorRecord(r.timeMs, r.bytes.data(), r.bytes.size()))
                return false;
        }
        if (m_options.rear) {
            const EncodedUnit& rear = encoder.Video(1)[i];
            if (!writer.WriteVideo(1, rear.data.data(), rear.data.size(), rear.keyFrame))
                return false;
        }
        if (m_options.audio == AudioMode::Pcm) {
            const std::uint64_t first = FirstSampleOfFrame(i), end = FirstSampleOfFrame(i + 1);
            if (end > first && !writer.WriteAudio(pcm.data() + first, (end - first) * sizeof(std::int16_t)))
                return false;
        }
        const bool lastFrame = i + 1 == frames;
        for (; nextAac < aac.size()
               && (lastFrame || std::uint64_t(nextAac) * recfmt::kAacFrameSamples * m_options.fps
                                    < std::uint64_t(i + 1) * m_options.sampleRate);
             ++nextAac) {
            if (!writer.WriteAudio(aac[nextAac].data.data(), aac[nextAac].data.size()))
                return false;
        }
    }
    return true;
}

} // namespace zv::mkrec
