// SPDX-License-Identifier: GPL-3.0-or-later
#include "WildFixtures.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr const char* kVideoSource = "-f lavfi -i testsrc=size=320x180:rate=30";
constexpr const char* kAudioSource = "-f lavfi -i sine=frequency=440:sample_rate=";
constexpr double kAacSeconds = 31 * 1024 / 16000.0;

bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// Two seconds of pictures and of sound. AAC sound is made of whole frames
// (31 of 1024 samples at 16 kHz, 1.984 s); with the encoder's frame of delay
// it ends with the pictures, which ffmpeg delays by as much.
std::string Ffmpeg(const std::string& out, int sampleRate, const std::string& codecs, double audioSeconds = 2) {
  return "ffmpeg -nostdin -y -loglevel error " + std::string(kVideoSource) + " " + kAudioSource +
         std::to_string(sampleRate) + ":duration=" + std::to_string(audioSeconds) + " -t 2 " + codecs + " '" + out + "'";
}

uint32_t Le32(const std::string& s, size_t at) {
  auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(s[at + i])); };
  return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

void PutLe32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void AppendChunk(std::string& out, const std::string& id, const std::string& data) {
  out += id;
  out.append(4, '\0');
  PutLe32(out, out.size() - 4, static_cast<uint32_t>(data.size()));
  out += data;
  if (data.size() & 1) out += '\0';
}

}  // namespace

bool PairAudioFrames(const std::string& in, const std::string& out) {
  std::ifstream file(in, std::ios::binary);
  const std::string avi((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const size_t movi = avi.find("movi"), auds = avi.find("auds");
  if (movi == std::string::npos || auds == std::string::npos || movi < 8) return false;
  std::string result = avi.substr(0, movi + 4);
  PutLe32(result, auds + 20, Le32(avi, auds + 20) * 2);          // dwScale: two frames a chunk
  PutLe32(result, auds + 32, (Le32(avi, auds + 32) + 1) / 2);    // dwLength
  const size_t end = std::min(avi.size(), movi - 4 + 8 + Le32(avi, movi - 4));
  std::string pending, audioId;
  for (size_t pos = movi + 4; pos + 8 <= end;) {
    const std::string id = avi.substr(pos, 4);
    const uint32_t size = Le32(avi, pos + 4);
    const std::string data = avi.substr(pos + 8, size);
    pos += 8 + size + (size & 1);
    if (id.compare(2, 2, "wb") != 0) {
      if (id.compare(0, 2, "ix") != 0) AppendChunk(result, id, data);
      continue;
    }
    if (data.empty()) continue;
    audioId = id;
    if (pending.empty()) {
      pending = data;
      continue;
    }
    AppendChunk(result, id, pending + data);
    pending.clear();
  }
  if (!pending.empty()) AppendChunk(result, audioId, pending);
  PutLe32(result, movi - 4, static_cast<uint32_t>(result.size() - movi));
  PutLe32(result, 4, static_cast<uint32_t>(result.size() - 8));
  std::ofstream(out, std::ios::binary | std::ios::trunc).write(result.data(), static_cast<std::streamsize>(result.size()));
  return true;
}

namespace {

struct Recipe {
  std::string name;
  std::string command;  // writes the file named, in the folder given
};

std::vector<Recipe> Recipes(const std::string& folder) {
  const std::string mkrec = std::string(ZV_PROGRAM_DIR) + "/zv-mkrec";
  const std::string x264 = "-c:v libx264 -preset ultrafast -g 30 -pix_fmt yuv420p";
  auto path = [&](const std::string& name) { return folder + "/" + name; };
  return {
      {"mjpeg-pcm16.avi", Ffmpeg(path("mjpeg-pcm16.avi"), 16000, "-c:v mjpeg -q:v 5 -c:a pcm_s16le")},
      {"h265-aac.avi", Ffmpeg(path("h265-aac.avi"), 16000,
                              "-c:v libx265 -tag:v HEVC -preset ultrafast -x265-params log-level=error "
                              "-pix_fmt yuv420p -c:a aac",
                              kAacSeconds)},
      {"mpeg4-mp3.avi", Ffmpeg(path("mpeg4-mp3.avi"), 44100, "-c:v mpeg4 -q:v 5 -c:a libmp3lame -b:a 64k")},
      {"h264-bframes-adpcm.avi",
       Ffmpeg(path("h264-bframes-adpcm.avi"), 16000, "-c:v libx264 -preset fast -bf 2 -g 30 -c:a adpcm_ima_wav")},
      {"h264-pcm8.avi", Ffmpeg(path("h264-pcm8.avi"), 16000, x264 + " -c:a pcm_u8")},
      {"h264-pcm24.avi", Ffmpeg(path("h264-pcm24.avi"), 48000, x264 + " -ac 2 -c:a pcm_s24le")},
      {"h264-aac-one-frame.avi", Ffmpeg(path("h264-aac-one-frame.avi"), 16000, x264 + " -c:a aac", kAacSeconds)},
      {"avimux-h264-aac.avi",
       "gst-launch-1.0 -q videotestsrc num-buffers=60 ! video/x-raw,width=320,height=180,framerate=30/1 "
       "! x264enc speed-preset=ultrafast key-int-max=30 ! h264parse ! queue ! avimux name=mux "
       "! filesink location='" + path("avimux-h264-aac.avi") + "' "
       "audiotestsrc num-buffers=30 samplesperbuffer=1024 ! audio/x-raw,rate=16000,channels=1 "
       "! avenc_aac ! aacparse ! queue ! mux."},
      {"mkrec-bframes.avi", "'" + mkrec + "' '" + path("mkrec-bframes.avi") +
                                "' --seconds 2 --front 320x180 --rear none --bframes 2"},
  };
}

constexpr const char* kPairedName = "h264-aac-two-frames.avi";
constexpr const char* kPairedSource = "h264-aac-one-frame.avi";

}  // namespace

std::vector<std::string> WildFixtureNames() {
  std::vector<std::string> names;
  for (const Recipe& r : Recipes("")) names.push_back(r.name);
  names.push_back(kPairedName);
  return names;
}

std::string MakeWildFixture(const std::string& folder, const std::string& name) {
  const std::string path = folder + "/" + name;
  if (name == kPairedName) {
    const std::string source = MakeWildFixture(folder, kPairedSource);
    return !source.empty() && PairAudioFrames(source, path) ? path : "";
  }
  for (const Recipe& r : Recipes(folder))
    if (r.name == name) return Run(r.command) ? path : "";
  return "";
}
