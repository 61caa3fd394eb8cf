// SPDX-License-Identifier: GPL-3.0-or-later
// Times the folder scan of a 100,000-file tree against `find -type f` on the
// same tree, both with a warm cache, best of several runs.
#include <fcntl.h>
#include <unistd.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

#include "library/RecordingLibrary.h"

namespace {

constexpr int kTopFolders = 100;
constexpr int kSubFolders = 10;
constexpr int kFilesPerFolder = 100;  // 100 x 10 x 100 = 100,000 files
constexpr int kRuns = 5;

// Half recordings of the four kinds, half other files (some of which look
// almost like recordings).
std::string FileName(int n) {
  static const char* const kPrefixes[] = {"REC_", "EVT_", "PRK_", "MDI_"};
  char name[64];
  const int second = n % 60, minute = (n / 60) % 60, hour = (n / 3600) % 24;
  switch (n % 4) {
    case 0:
    case 1:
      std::snprintf(name, sizeof name, "%s20240131_%02d%02d%02d_F.AVI", kPrefixes[(n / 4) % 4], hour,
                    minute, second);
      if (n % 8 == 1) std::snprintf(name + 21, sizeof name - 21, "_LPSTOP.AVI");
      return name;
    case 2:
      std::snprintf(name, sizeof name, "thumb_%06d.jpg", n);
      return name;
    default:
      std::snprintf(name, sizeof name, "REC_20240131_%06d_F.MP4", n);
      return name;
  }
}

bool MakeTree(const std::string& root) {
  int n = 0;
  for (int top = 0; top < kTopFolders; ++top) {
    const std::string topFolder = root + "/day" + std::to_string(top);
    if (mkdir(topFolder.c_str(), 0755) != 0) return false;
    for (int sub = 0; sub < kSubFolders; ++sub) {
      const std::string folder = topFolder + "/part" + std::to_string(sub) + "/";
      if (mkdir(folder.c_str(), 0755) != 0) return false;
      for (int f = 0; f < kFilesPerFolder; ++f, ++n) {
        const int fd = open((folder + FileName(n)).c_str(),
                            O_CREAT | O_WRONLY | O_EXCL, 0644);
        if (fd < 0) return false;
        close(fd);
      }
    }
  }
  return true;
}

template <typename Work>
double Seconds(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count();
}

}  // namespace

int main() {
  QTemporaryDir dir;
  if (!dir.isValid() || !MakeTree(dir.path().toStdString())) {
    std::fprintf(stderr, "scan benchmark: cannot build the file tree\n");
    return 1;
  }
  const std::string root = dir.path().toStdString() + "/";
  const std::string findCommand = "find '" + dir.path().toStdString() + "' -type f > /dev/null";

  int catalogued = 0;
  auto scan = [&] {
    zv::RecordingLibrary library;  // made and destroyed outside the timing
    const double seconds = Seconds([&] { library.ScanFolder(root); });
    catalogued = library.Count();
    return seconds;
  };
  auto find = [&] {
    return Seconds([&] {
      if (std::system(findCommand.c_str()) != 0) std::fprintf(stderr, "find failed\n");
    });
  };
  scan();  // warm the cache for both
  find();
  // Alternate the two so that a passing load on the machine hits both alike.
  double scanSeconds = 1e9, findSeconds = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    scanSeconds = std::min(scanSeconds, scan());
    findSeconds = std::min(findSeconds, find());
  }
  std::printf("scan_files: %d\n", kTopFolders * kSubFolders * kFilesPerFolder);
  std::printf("scan_catalogued: %d\n", catalogued);
  std::printf("scan_seconds: %.4f\n", scanSeconds);
  std::printf("find_seconds: %.4f\n", findSeconds);
  std::printf("scan_ratio_vs_find: %.2f\n", scanSeconds / findSeconds);
  return 0;
}
