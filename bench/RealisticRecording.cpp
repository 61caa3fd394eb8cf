// SPDX-License-Identifier: GPL-3.0-or-later
#include "RealisticRecording.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

namespace zv::bench {

namespace {

constexpr const char* kName = "REC_20240101_130000_F.AVI";
constexpr const char* kBareName = "REC_20240101_130100_F.AVI";
constexpr const char* kArguments =
    " --seconds 60 --front 1920x1080 --rear 1280x720 --fps 30 --bitrate 10000 --texture noise";

// Where idx1 begins: the last RIFF chunk of the file's first part.
std::uintmax_t Idx1Offset(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<char> tail(1 << 20);
  const auto size = std::filesystem::file_size(path);
  const auto from = size > tail.size() ? size - tail.size() : 0;
  file.seekg(static_cast<std::streamoff>(from));
  file.read(tail.data(), static_cast<std::streamsize>(tail.size()));
  const std::string_view text(tail.data(), static_cast<size_t>(file.gcount()));
  const auto at = text.rfind("idx1");
  return at == std::string_view::npos ? 0 : from + at;
}

}  // namespace

std::string RealisticRecording(const std::string& programDir, const std::string& dataDir) {
  const std::string path = dataDir + "/" + kName;
  if (std::filesystem::exists(path)) return path;
  std::filesystem::create_directories(dataDir);
  std::fprintf(stderr, "making the one-minute 10 Mbit/s recording (once)...\n");
  const std::string command = "'" + programDir + "/zv-mkrec' '" + path + "'" + kArguments + " >/dev/null";
  return std::system(command.c_str()) == 0 ? path : std::string();
}

std::string RealisticRecordingWithoutIndex(const std::string& programDir, const std::string& dataDir) {
  const std::string bare = dataDir + "/" + kBareName;
  if (std::filesystem::exists(bare)) return bare;
  const std::string path = RealisticRecording(programDir, dataDir);
  const std::uintmax_t cut = path.empty() ? 0 : Idx1Offset(path);
  if (cut == 0) return "";
  const std::string part = bare + ".part";
  std::filesystem::copy_file(path, part, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::resize_file(part, cut);
  std::filesystem::rename(part, bare);
  return bare;
}

}  // namespace zv::bench
