// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingFixtures.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zv::test {

namespace {

uint32_t Le32(const std::string& s, size_t at) {
  auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(s[at + i])); };
  return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

void PutLe32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void AppendLe32(std::string& s, uint32_t v) {
  s.append(4, '\0');
  PutLe32(s, s.size() - 4, v);
}

std::string FfmpegCommand(const std::string& out, const FixtureOptions& o) {
  std::ostringstream cmd;
  cmd << "ffmpeg -nostdin -y -loglevel error -f lavfi -i testsrc=size=" << o.frontWidth << "x"
      << o.frontHeight << ":rate=" << o.fps;
  if (o.rearWidth > 0)
    cmd << " -f lavfi -i testsrc2=size=" << o.rearWidth << "x" << o.rearHeight << ":rate=" << o.fps;
  if (o.audio != FixtureAudio::None) cmd << " -f lavfi -i sine=sample_rate=16000";
  cmd << " -t " << o.seconds << " -map 0";
  int next = 1;
  if (o.rearWidth > 0) cmd << " -map " << next++;
  if (o.audio != FixtureAudio::None) cmd << " -map " << next++;
  cmd << " -c:v libx264 -preset ultrafast -bf 0 -g " << o.fps << " -pix_fmt yuv420p";
  if (o.audio == FixtureAudio::Aac) cmd << " -c:a aac -b:a 32k";
  if (o.audio == FixtureAudio::Pcm) cmd << " -c:a pcm_s16le";
  cmd << " '" << out << "'";
  return cmd.str();
}

std::vector<FixtureRecord> SensorRecords(double seconds) {
  std::vector<FixtureRecord> records;
  auto total = static_cast<uint32_t>(seconds * 1000);
  for (uint32_t t = 0; t < total; t += 100) {
    FixtureRecord g{t, "M", 0};
    g.bytes += static_cast<char>(0x80 + t / 100 % 50);
    g.bytes += static_cast<char>(0xFF - t / 100 % 7);
    g.bytes += static_cast<char>(t / 100 % 251);
    records.push_back(g);
    if (t % 1000 == 0) {
      char text[96];
      std::snprintf(text, sizeof text, "GGPRMC,0530%02u.000,A,3733.9900,N,12658.6800,E,022.4,084.4,230513,,,A*6A",
                    t / 1000 % 60);
      records.push_back(FixtureRecord{t, text, 0});
    }
  }
  return records;
}

// Rewrites the movie list with the records after their frames and no index.
bool InjectRecords(const std::string& in, const std::string& out, int fps,
                   std::vector<FixtureRecord>& records, uint32_t& frontFrames) {
  std::ifstream file(in, std::ios::binary);
  std::string avi((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  size_t movi = avi.find("movi");
  if (avi.size() < 12 || movi == std::string::npos || movi < 8) return false;
  size_t listStart = movi - 8;
  uint32_t listSize = Le32(avi, listStart + 4);
  size_t end = std::min(avi.size(), listStart + 8 + listSize);
  std::string result = avi.substr(0, movi + 4);
  size_t nextRecord = 0;
  frontFrames = 0;
  for (size_t pos = movi + 4; pos + 8 <= end;) {
    uint32_t size = Le32(avi, pos + 4);
    size_t total = 8 + size + (size & 1);
    result.append(avi, pos, total);
    pos += total;
    if (avi.compare(pos - total, 4, "00dc") != 0) continue;
    ++frontFrames;
    uint64_t frameEndMs = static_cast<uint64_t>(frontFrames) * 1000 / fps;
    for (; nextRecord < records.size() && records[nextRecord].timeMs < frameEndMs; ++nextRecord) {
      FixtureRecord& r = records[nextRecord];
      uint32_t chunkSize = static_cast<uint32_t>(4 + r.bytes.size());
      result += "zvsr";
      AppendLe32(result, chunkSize);
      AppendLe32(result, r.timeMs);
      result += r.bytes;
      r.chunkEnd = result.size();
      if (chunkSize & 1) result += '\0';
    }
  }
  records.resize(nextRecord);
  PutLe32(result, listStart + 4, static_cast<uint32_t>(result.size() - listStart - 8));
  PutLe32(result, 4, static_cast<uint32_t>(result.size() - 8));
  std::ofstream dst(out, std::ios::binary | std::ios::trunc);
  dst.write(result.data(), static_cast<std::streamsize>(result.size()));
  return static_cast<bool>(dst);
}

}  // namespace

bool RunCommand(const std::string& command) { return std::system(command.c_str()) == 0; }

std::string MakeGeneratedRecording(const std::string& folder, const std::string& name,
                                   const std::string& arguments) {
  std::string path = folder + "/" + name;
  std::string command = std::string("'") + ZV_TEST_PROGRAM_DIR + "/zv-mkrec' '" + path + "' " +
                        arguments + " >/dev/null 2>&1";
  return RunCommand(command) ? path : std::string();
}

Fixture MakeRecording(const std::string& folder, const std::string& name,
                      const FixtureOptions& options) {
  Fixture fixture;
  std::string plain = folder + "/" + name + ".ffmpeg.avi";
  std::string path = folder + "/" + name;
  if (!RunCommand(FfmpegCommand(plain, options))) return fixture;
  if (!options.sensorRecords) {  // an ordinary AVI, index and all
    if (std::rename(plain.c_str(), path.c_str()) == 0) fixture.path = path;
    return fixture;
  }
  fixture.records = SensorRecords(options.seconds);
  if (!InjectRecords(plain, path, options.fps, fixture.records, fixture.frontFrames))
    return fixture;
  std::remove(plain.c_str());
  fixture.path = path;
  return fixture;
}

}  // namespace zv::test
