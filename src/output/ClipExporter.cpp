// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ClipExporter.h"

#include <gst/video/video.h>

#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <algorithm>
#include <cstdio>

#include "output/ClipOverlayText.h"
#include "player/ElementFactories.h"
#include "player/ParseFilterClient.h"
#include "player/SensorStreamSource.h"

namespace zv {
namespace {

constexpr int kPollMs = 50;
constexpr const char* kBurnInName = "burnin";

std::string Format(const char* format, auto... values) {
  char text[512];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

// The pad named `name` of the source when it exists (the rear and the sound
// are not in every recording).
GstPadPtr SourcePad(GstElement* source, const char* name) { return GstPadPtr(gst_element_get_static_pad(source, name)); }

// "parser ! decoder" (or the decoder alone) for the pictures of one of the
// source's pads, chosen by their caps as playback chooses them; empty when
// nothing on this machine decodes them.
std::string DecoderFor(GstElement* source, const char* padName) {
  GstPadPtr pad = SourcePad(source, padName);
  if (!pad) return {};
  GstCaps* caps = gst_pad_query_caps(pad.get(), nullptr);
  const DecoderFactories factories = FindDecoderFactories(caps, GST_ELEMENT_FACTORY_TYPE_MEDIA_VIDEO);
  gst_caps_unref(caps);
  if (!factories.decoder) return {};
  std::string chain = GST_OBJECT_NAME(factories.decoder.get());
  if (factories.parser) chain = std::string(GST_OBJECT_NAME(factories.parser.get())) + " ! " + chain;
  return chain;
}

bool PadCarriesRawAudio(GstPad* pad) {
  GstCapsPtr caps(gst_pad_query_caps(pad, nullptr));
  return caps && !gst_caps_is_empty(caps.get()) &&
         gst_structure_has_name(gst_caps_get_structure(caps.get(), 0), "audio/x-raw");
}

// The texts in a dark box at the picture's bottom right, sized to it.
void DrawBurnIn(QImage& picture, const QStringList& lines) {
  QPainter painter(&picture);
  QFont font(QStringLiteral("굴림"));
  font.setPixelSize(std::max(10, picture.height() / 22));
  font.setBold(true);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const int margin = std::max(4, picture.height() / 40), pad = margin / 2 + 2;
  int width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  const int height = metrics.height() * static_cast<int>(lines.size());
  const QRect box(picture.width() - margin - width - 2 * pad, picture.height() - margin - height - 2 * pad,
                  width + 2 * pad, height + 2 * pad);
  painter.fillRect(box, QColor(0, 0, 0, 150));
  painter.setPen(Qt::white);
  painter.drawText(box.adjusted(pad, pad, -pad, -pad), Qt::AlignRight | Qt::AlignVCenter, lines.join('\n'));
}

}  // namespace

ClipExporter::ClipExporter(QObject* parent) : QObject(parent) {
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &ClipExporter::PollBus);
}

ClipExporter::~ClipExporter() {
  if (!pipeline_) return;
  gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
  pipeline_.reset();
  QFile::remove(partialPath_);
}

QString ClipExporter::PartialPathOf(const QString& outPath) {
  const QFileInfo out(outPath);
  return out.absolutePath() + "/." + out.fileName() + ".partial";
}

double ClipExporter::Progress() const {
  const uint64_t span = plan_.stopNs - plan_.startNs;
  if (span == 0) return 0;
  return std::clamp(static_cast<double>(readNs_.load() - std::min(readNs_.load(), plan_.startNs)) / span, 0.0, 1.0);
}

bool ClipExporter::Fail(const QString& error) {
  error_ = error;
  return false;
}

bool ClipExporter::Start(const std::string& sourcePath, const ClipExportPlan& plan, const QString& outPath,
                         std::shared_ptr<const ClipOverlayText> overlay) {
  if (pipeline_) return Fail(QStringLiteral("an export is running"));
  plan_ = plan;
  overlay_ = std::move(overlay);
  outPath_ = outPath;
  partialPath_ = PartialPathOf(outPath);
  error_.clear();
  cancelled_ = false;
  readNs_ = plan.startNs;
  QFile::remove(partialPath_);  // left by an export that did not end
  const bool built = Build(sourcePath, partialPath_);
  if (!built || gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    if (built) PollBus();  // takes the error message the failure posted
    if (pipeline_) gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
    pipeline_.reset();
    QFile::remove(partialPath_);
    if (error_.isEmpty()) error_ = QStringLiteral("the export could not start");
    return false;
  }
  poll_.start();
  return true;
}

bool ClipExporter::Build(const std::string& sourcePath, const QString& partialPath) {
  pipeline_.reset(gst_pipeline_new("clip export"));
  gst_object_ref_sink(pipeline_.get());
  GstElement* source = gst_element_factory_make(kParseFilterFactory, "source");
  GstElement* mux = gst_element_factory_make("mp4mux", "mux");
  GstElement* sink = gst_element_factory_make("filesink", "file");
  if (!source || !mux || !sink) {
    for (GstElement* e : {source, mux, sink})
      if (e) gst_object_unref(gst_object_ref_sink(e));
    return Fail(QStringLiteral("a GStreamer element is missing (vnstreamparse, mp4mux or filesink)"));
  }
  gst_bin_add_many(GST_BIN(pipeline_.get()), source, mux, sink, nullptr);
  g_object_set(mux, "faststart", TRUE, nullptr);
  g_object_set(sink, "location", partialPath.toUtf8().constData(), nullptr);
  if (!gst_element_link(mux, sink)) return Fail(QStringLiteral("cannot link the muxer to the file"));
  auto file = ParseFilterClient::QueryFileSource(source);
  if (!file || file->Load(sourcePath.c_str()) < 0)
    return Fail(QString::fromStdString(sourcePath) + QStringLiteral(": not a recording that can be read"));
  if (!BuildVideo(source, mux) || !BuildAudio(source, mux) || !SinkUnusedPads(source)) return false;
  // The range, set before the source starts: it reads from the key frame at
  // or before the start, and the decoders drop what comes before it.
  const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
  if (!gst_element_send_event(source, gst_event_new_seek(1.0, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                                                         static_cast<gint64>(plan_.startNs), GST_SEEK_TYPE_SET,
                                                         static_cast<gint64>(plan_.stopNs))))
    return Fail(QStringLiteral("the recording does not take the range"));
  return true;
}

GstElement* ClipExporter::AddBranch(const std::string& description) {
  GError* raw = nullptr;
  GstElement* bin = gst_parse_bin_from_description(description.c_str(), TRUE, &raw);
  GErrorPtr error(raw);
  if (!bin) {
    Fail(QString::fromUtf8(error ? error->message : "cannot make ") + QString::fromStdString(description));
    return nullptr;
  }
  gst_bin_add(GST_BIN(pipeline_.get()), bin);
  return bin;
}

bool ClipExporter::LinkPad(GstElement* source, const char* padName, GstElement* branch) {
  GstPadPtr out = SourcePad(source, padName);
  GstPadPtr in(gst_element_get_static_pad(branch, "sink"));
  if (!out || !in || gst_pad_link(out.get(), in.get()) != GST_PAD_LINK_OK)
    return Fail(QStringLiteral("cannot take the stream ") + padName);
  return true;
}

bool ClipExporter::LinkToMux(GstElement* branch, GstElement* mux, const char* padTemplate) {
  GstPadPtr in(gst_element_request_pad_simple(mux, padTemplate));
  GstPadPtr out(gst_element_get_static_pad(branch, "src"));
  if (!in || !out || gst_pad_link(out.get(), in.get()) != GST_PAD_LINK_OK)
    return Fail(QStringLiteral("the MP4 muxer does not take the stream"));
  return true;
}

bool ClipExporter::BuildVideo(GstElement* source, GstElement* mux) {
  const char* shown = plan_.channels == ClipChannels::Rear ? "Video2" : "Video1";
  WatchSourcePad(source, shown);
  if (plan_.video == ClipExportPlan::Video::Copy) {
    GstElement* copy = AddBranch("queue ! h264parse ! capsfilter caps=video/x-h264,stream-format=avc,alignment=au");
    if (GstPadPtr out = copy ? GstPadPtr(gst_element_get_static_pad(copy, "src")) : nullptr)
      gst_pad_add_probe(out.get(), GST_PAD_PROBE_TYPE_BUFFER, &ClipExporter::OnCopiedPicture, this, nullptr);
    return copy && LinkPad(source, shown, copy) && LinkToMux(copy, mux, "video_%u");
  }
  const int leftWidth = plan_.width - plan_.rearWidth;  // the front side by side, else the only picture
  const auto decoder = [&](const char* pad, int width) {
    const std::string decode = DecoderFor(source, pad);
    if (decode.empty()) return std::string();
    return "queue ! " + decode +
           Format(" ! videoconvert ! videoscale ! capsfilter caps=video/x-raw,format=BGRx,width=%d,height=%d", width,
                  plan_.height);
  };
  const int kbps = std::clamp(static_cast<int>(static_cast<int64_t>(plan_.width) * plan_.height * plan_.fpsNum /
                                               std::max(1, plan_.fpsDen) * 7 / 100'000),
                              500, 20'000);
  const std::string encoder =
      Format("videoconvert ! capsfilter caps=video/x-raw,format=I420 ! x264enc speed-preset=veryfast bitrate=%d key-int-max=%d ! h264parse",
             kbps, 2 * plan_.fpsNum / std::max(1, plan_.fpsDen));
  if (DecoderFor(source, shown).empty() ||
      (plan_.channels == ClipChannels::SideBySide && DecoderFor(source, "Video2").empty()))
    return Fail(QStringLiteral("nothing on this computer decodes the recording's pictures"));
  if (plan_.channels != ClipChannels::SideBySide) {
    GstElement* branch = AddBranch(decoder(shown, leftWidth) + " ! identity name=" + kBurnInName + " ! " + encoder);
    if (!branch || !LinkPad(source, shown, branch)) return false;
    AttachBurnIn(branch);
    return LinkToMux(branch, mux, "video_%u");
  }
  GstElement* front = AddBranch(decoder("Video1", leftWidth) + " ! identity name=" + kBurnInName);
  GstElement* rear = AddBranch(decoder("Video2", plan_.rearWidth));
  GstElement* mixer = gst_element_factory_make("compositor", "mixer");
  GstElement* tail = AddBranch(Format("capsfilter caps=video/x-raw,width=%d,height=%d,framerate=%d/%d ! ", plan_.width, plan_.height,
                                      plan_.fpsNum, plan_.fpsDen) + encoder);
  if (!front || !rear || !mixer || !tail) return Fail(error_.isEmpty() ? QStringLiteral("compositor is missing") : error_);
  gst_bin_add(GST_BIN(pipeline_.get()), mixer);
  g_object_set(mixer, "background", 1 /* black */, nullptr);
  GstPadPtr left(gst_element_request_pad_simple(mixer, "sink_%u"));
  GstPadPtr right(gst_element_request_pad_simple(mixer, "sink_%u"));
  g_object_set(right.get(), "xpos", leftWidth, nullptr);
  GstPadPtr frontOut(gst_element_get_static_pad(front, "src")), rearOut(gst_element_get_static_pad(rear, "src"));
  if (!LinkPad(source, "Video1", front) || !LinkPad(source, "Video2", rear) ||
      gst_pad_link(frontOut.get(), left.get()) != GST_PAD_LINK_OK ||
      gst_pad_link(rearOut.get(), right.get()) != GST_PAD_LINK_OK || !gst_element_link(mixer, tail))
    return Fail(QStringLiteral("cannot put the channels side by side"));
  AttachBurnIn(front);
  return LinkToMux(tail, mux, "video_%u");
}

bool ClipExporter::BuildAudio(GstElement* source, GstElement* mux) {
  GstPadPtr audio = SourcePad(source, kAudioPadMarker);
  if (plan_.audio == ClipExportPlan::Audio::None || !audio) return true;
  gst_pad_add_probe(audio.get(), GST_PAD_PROBE_TYPE_BUFFER, &ClipExporter::OnAudioBeforeRange, this, nullptr);
  std::string description = "queue ! aacparse";
  if (plan_.audio == ClipExportPlan::Audio::Encode)
    description = PadCarriesRawAudio(audio.get())
                      ? "queue ! audioconvert ! audioresample ! avenc_aac"
                      : "queue ! aacparse ! avdec_aac ! audioconvert ! audioresample ! avenc_aac";
  GstElement* branch = AddBranch(description);
  if (!branch || !LinkPad(source, kAudioPadMarker, branch)) return false;
  GstPadPtr out(gst_element_get_static_pad(branch, "src"));
  gst_pad_add_probe(out.get(), GST_PAD_PROBE_TYPE_BUFFER, &ClipExporter::OnAudioPastRange, this, nullptr);
  return LinkToMux(branch, mux, "audio_%u");
}

// Streams the clip leaves out still flow, into sinks that throw them away.
bool ClipExporter::SinkUnusedPads(GstElement* source) {
  for (const char* name : {"Video1", "Video2", kAudioPadMarker}) {
    GstPadPtr pad = SourcePad(source, name);
    if (!pad || gst_pad_is_linked(pad.get())) continue;
    GstElement* drop = AddBranch("fakesink sync=false async=false");
    if (!drop || !LinkPad(source, name, drop)) return false;
  }
  return true;
}

void ClipExporter::WatchSourcePad(GstElement* source, const char* padName) {
  if (GstPadPtr pad = SourcePad(source, padName))
    gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_BUFFER, &ClipExporter::OnSourceBuffer, this, nullptr);
}

void ClipExporter::AttachBurnIn(GstElement* branch) {
  if (!plan_.burnInData || !overlay_) return;
  GstElementPtr identity(gst_bin_get_by_name(GST_BIN(branch), kBurnInName));
  GstPadPtr pad(identity ? gst_element_get_static_pad(identity.get(), "src") : nullptr);
  if (pad) gst_pad_add_probe(pad.get(), GST_PAD_PROBE_TYPE_BUFFER, &ClipExporter::OnBurnIn, this, nullptr);
}

// ---- Streaming threads -------------------------------------------------------

GstPadProbeReturn ClipExporter::OnSourceBuffer(GstPad*, GstPadProbeInfo* info, gpointer data) {
  const GstClockTime time = GST_BUFFER_DTS_OR_PTS(GST_PAD_PROBE_INFO_BUFFER(info));
  if (GST_CLOCK_TIME_IS_VALID(time)) static_cast<ClipExporter*>(data)->readNs_ = time;
  return GST_PAD_PROBE_OK;
}

// The recording gives each picture its decode time; only a key frame's
// presentation time is set. The MP4 muxer needs one on every picture, and a
// copied stream without reordering shows each picture at its decode time.
GstPadProbeReturn ClipExporter::OnCopiedPicture(GstPad*, GstPadProbeInfo* info, gpointer) {
  GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
  if (GST_BUFFER_PTS_IS_VALID(buffer) || !GST_BUFFER_DTS_IS_VALID(buffer)) return GST_PAD_PROBE_OK;
  buffer = gst_buffer_make_writable(buffer);
  GST_BUFFER_PTS(buffer) = GST_BUFFER_DTS(buffer);
  GST_PAD_PROBE_INFO_DATA(info) = buffer;
  return GST_PAD_PROBE_OK;
}

// Sound from before the range; the decoder and the copy both take it from
// the frame that holds the start.
GstPadProbeReturn ClipExporter::OnAudioBeforeRange(GstPad*, GstPadProbeInfo* info, gpointer data) {
  const GstClockTime pts = GST_BUFFER_PTS(GST_PAD_PROBE_INFO_BUFFER(info));
  return GST_CLOCK_TIME_IS_VALID(pts) && pts < static_cast<ClipExporter*>(data)->plan_.startNs ? GST_PAD_PROBE_DROP
                                                                                                : GST_PAD_PROBE_OK;
}

// Whole AAC frames (copied, or as the encoder pads them out) that would run
// past the range's end and make the clip longer than its pictures.
GstPadProbeReturn ClipExporter::OnAudioPastRange(GstPad*, GstPadProbeInfo* info, gpointer data) {
  GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
  const GstClockTime pts = GST_BUFFER_PTS(buffer), duration = GST_BUFFER_DURATION(buffer);
  if (!GST_CLOCK_TIME_IS_VALID(pts) || !GST_CLOCK_TIME_IS_VALID(duration)) return GST_PAD_PROBE_OK;
  return pts + duration > static_cast<ClipExporter*>(data)->plan_.stopNs ? GST_PAD_PROBE_DROP : GST_PAD_PROBE_OK;
}

GstPadProbeReturn ClipExporter::OnBurnIn(GstPad* pad, GstPadProbeInfo* info, gpointer data) {
  const auto* self = static_cast<ClipExporter*>(data);
  GstBuffer* buffer = gst_buffer_make_writable(GST_PAD_PROBE_INFO_BUFFER(info));
  GST_PAD_PROBE_INFO_DATA(info) = buffer;
  GstCapsPtr caps(gst_pad_get_current_caps(pad));
  GstVideoInfo video;
  GstVideoFrame frame;
  if (!caps || !gst_video_info_from_caps(&video, caps.get()) ||
      !gst_video_frame_map(&frame, &video, buffer, GST_MAP_WRITE))
    return GST_PAD_PROBE_OK;
  // BGRx is Qt's 32-bit RGB on a little-endian machine.
  QImage picture(static_cast<uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)), GST_VIDEO_FRAME_WIDTH(&frame),
                 GST_VIDEO_FRAME_HEIGHT(&frame), GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0), QImage::Format_RGB32);
  const GstClockTime pts = GST_BUFFER_PTS(buffer);
  DrawBurnIn(picture, self->overlay_->LinesAt(GST_CLOCK_TIME_IS_VALID(pts) ? static_cast<uint32_t>(pts / GST_MSECOND) : 0));
  gst_video_frame_unmap(&frame);
  return GST_PAD_PROBE_OK;
}

// ---- The end ---------------------------------------------------------------

void ClipExporter::PollBus() {
  if (!pipeline_) return;
  GstBusPtr bus(gst_element_get_bus(pipeline_.get()));
  while (GstMessagePtr message{gst_bus_pop(bus.get())}) {
    if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_EOS) return End(true);
    if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
      GError* raw = nullptr;
      gst_message_parse_error(message.get(), &raw, nullptr);
      GErrorPtr error(raw);
      error_ = QString::fromUtf8(error ? error->message : "the export failed");
      if (poll_.isActive()) End(false);
      return;
    }
  }
  if (poll_.isActive()) emit progressed(Progress());
}

void ClipExporter::Cancel() {
  if (!pipeline_) return;
  error_ = QStringLiteral("cancelled");
  cancelled_ = true;
  End(false);
}

void ClipExporter::End(bool ok) {
  poll_.stop();
  gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
  pipeline_.reset();
  if (ok && std::rename(QFile::encodeName(partialPath_).constData(), QFile::encodeName(outPath_).constData()) != 0) {
    error_ = outPath_ + QStringLiteral(": cannot be written");
    ok = false;
  }
  if (!ok) QFile::remove(partialPath_);
  if (ok) readNs_ = plan_.stopNs;
  emit finished(ok);
}

}  // namespace zv
