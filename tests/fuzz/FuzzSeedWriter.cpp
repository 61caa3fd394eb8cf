// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpora of the text fuzz targets into FOLDER/<target>/:
// settings files through the program's own writers, GPS texts as a
// recorder sends them, and sensor records of both kinds.
#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "config/RecorderClock.h"
#include "config/RecorderSettings.h"
#include "config/ViewerOptions.h"

namespace {

const char* const kGpsTexts[] = {
    "G,123519.000,A,4807.0380,N,01131.0000,E,022.4,084.4,230394",
    "G,000000,V,,,,,,,010170",
    "G,235959.999,A,3730.5000,S,12200.1234,W,0.0,359.9,311299",
    "G,1,A,1e39,N,-1e39,E,3.5e38,1e40,311299",
    "G,1,A,0.000000000000000000000000000000000000000000001,N,5,E,1e-50,,010124",
};

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

std::string Folder(const std::string& root, const char* target) {
  const std::string folder = root + "/" + target;
  mkdir(folder.c_str(), 0755);
  return folder;
}

bool WriteSettingsSeeds(const std::string& root) {
  zv::ViewerOptions options;
  options.saveFolder = "/home/user/Pictures/CAM_CAPTURE";
  zv::RecorderSettings settings{2, 1, true, 3, 1, 0, 2, true, 4, 1, 3, true};
  const zv::RecorderClock clock{"2024", "02", "29", "23", "59", "58"};
  const std::string optionsFolder = Folder(root, "viewer-options") + "/";
  return zv::WriteViewerOptions(optionsFolder + "option.ini", options) &&
         zv::WriteViewerOptions(optionsFolder + "default.ini", zv::ViewerOptions{}) &&
         zv::WriteSetupFile(Folder(root, "setup-file") + "/setup.cfg", settings) &&
         zv::WriteSetupFile(root + "/setup-file/unset.cfg", zv::RecorderSettings{}) &&
         zv::WriteTimeFile(Folder(root, "time-file") + "/time.cfg", clock);
}

bool WriteSensorSeeds(const std::string& root) {
  const std::string gps = Folder(root, "gps-text"), records = Folder(root, "sensor-record");
  bool ok = WriteBytes(records + "/gsensor", std::string("M\x80\xff\x00", 4));
  int n = 0;
  for (const char* text : kGpsTexts) {
    const std::string name = "/" + std::to_string(n++);
    ok = WriteBytes(gps + name, text) && WriteBytes(records + name, text) && ok;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zv-fuzz-seeds FOLDER\n");
    return 2;
  }
  const std::string root = argv[1];
  mkdir(root.c_str(), 0755);
  if (WriteSettingsSeeds(root) && WriteSensorSeeds(root)) return 0;
  std::fprintf(stderr, "zv-fuzz-seeds: cannot write the seeds in %s\n", root.c_str());
  return 1;
}
