// SPDX-License-Identifier: GPL-3.0-or-later
// The viewer left running: the real main window (offscreen platform unless
// QT_QPA_PLATFORM says otherwise) with the real engine plays a folder of 200
// one-second recordings, advancing by itself from each to the next, then
// opens and closes one recording 500 times.
//   soak_recordings_listed      rows of the list after the folder was opened
//   soak_recordings_played      recordings that opened and played (equal to
//                               the rows when none was skipped)
//   soak_rss_growth_percent     resident memory at the end against that
//                               after the first 20 recordings (goal < 5)
//   soak_threads_start/_end     threads of the process (/proc/self/task) at
//                               those two moments, engine closed
//   soak_fds_start/_end         open file descriptors (/proc/self/fd) then
// Each measurement is taken with no engine open, after the allocator has
// handed its free pages back to the system (malloc_trim), so that memory
// freed but kept by the allocator does not count as growth.
#include <dirent.h>
#include <gst/gst.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <set>
#include <string>

#include "PlaybackTestSupport.h"
#include "app/CZorvaneViewerDlg.h"
#include "app/StartupEnvironment.h"
#include "library/CZvListCtrl.h"
#include "library/RecordingLibrary.h"
#include "WindowProcessHome.h"
#include "player/CGraphPlayer.h"
#include "skin/CZvScreenCtrl.h"

namespace {

// Fewer may be given on the command line (RECORDINGS CYCLES) to look into
// a leak quickly.
int kRecordings = 200;
constexpr int kWarmUpRecordings = 20;
int kOpenCloseCycles = 500;

int EntriesIn(const char* folder) {
  DIR* dir = opendir(folder);
  if (!dir) return -1;
  int count = 0;
  while (const dirent* entry = readdir(dir))
    if (entry->d_name[0] != '.') ++count;
  closedir(dir);
  return count - (std::string(folder) == "/proc/self/fd" ? 1 : 0);  // the one opendir holds
}

long ResidentKb() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// What the entries of a /proc folder name: the threads' names (comm) or
// the descriptors' targets, sorted.
std::multiset<std::string> Names(const char* folder, bool threads) {
  std::multiset<std::string> names;
  DIR* dir = opendir(folder);
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    const std::string path = std::string(folder) + "/" + entry->d_name;
    char text[512] = {};
    if (threads) {
      if (std::FILE* comm = std::fopen((path + "/comm").c_str(), "r")) {
        if (!std::fgets(text, sizeof text, comm)) text[0] = 0;
        std::fclose(comm);
      }
    } else if (readlink(path.c_str(), text, sizeof text - 1) < 0) {
      text[0] = 0;
    }
    names.insert(text);
  }
  closedir(dir);
  return names;
}

struct ProcessFigures {
  long residentKb = 0;
  int threads = 0;
  int fds = 0;
  std::multiset<std::string> threadNames, fdTargets;
};

// Says on stderr which threads or descriptors one moment has that the other
// has not.
void ReportDifference(const char* what, const std::multiset<std::string>& start,
                      const std::multiset<std::string>& end) {
  std::multiset<std::string> gone, added;
  std::set_difference(start.begin(), start.end(), end.begin(), end.end(), std::inserter(gone, gone.end()));
  std::set_difference(end.begin(), end.end(), start.begin(), start.end(), std::inserter(added, added.end()));
  for (const std::string& name : gone) std::fprintf(stderr, "soak benchmark: %s gone: %s\n", what, name.c_str());
  for (const std::string& name : added) std::fprintf(stderr, "soak benchmark: %s added: %s\n", what, name.c_str());
}

void RunEventsFor(int ms) { WaitFor([] { return false; }, ms); }

// Measured with the engine closed, once the threads that come and go by
// themselves have settled: the counts hold still for 35 s (180 s at most).
// The map's web engine (Chromium) grows its worker pool while the map is
// busy and ends idle workers one at a time, each after 30 s.
constexpr int kSettledMs = 35000, kSettleLimitMs = 180000;

ProcessFigures Measure(CZorvaneViewerDlg& dialog) {
  dialog.StopPlayback(true);
  dialog.Player().Close();
  ProcessFigures figures{0, EntriesIn("/proc/self/task"), EntriesIn("/proc/self/fd"), {}, {}};
  for (int still = 0, waited = 0; still < kSettledMs && waited < kSettleLimitMs; waited += 100) {
    RunEventsFor(100);
    const ProcessFigures now{0, EntriesIn("/proc/self/task"), EntriesIn("/proc/self/fd"), {}, {}};
    still = now.threads == figures.threads && now.fds == figures.fds ? still + 100 : 0;
    figures = now;
  }
  const long untrimmedKb = ResidentKb();
  malloc_trim(0);
  figures.residentKb = ResidentKb();
  std::fprintf(stderr, "soak benchmark: resident %ld kB, %ld kB after malloc_trim\n", untrimmedKb,
               figures.residentKb);
  figures.threadNames = Names("/proc/self/task", true);
  figures.fdTargets = Names("/proc/self/fd", false);
  return figures;
}

bool MakeRecordings(const QString& folder) {
  const QDateTime first(QDate(2024, 3, 1), QTime(8, 0, 0));
  for (int i = 0; i < kRecordings; ++i) {
    // One second apart in their names, as a recorder cutting one-second files.
    const QString name = first.addSecs(i).toString("'REC_'yyyyMMdd_HHmmss'_F.AVI'");
    if (QProcess::execute(ZV_PROGRAM_DIR "/zv-mkrec", {folder + "/" + name, "--seconds", "1", "--front", "160x90",
                                                       "--rear", "160x90", "--fps", "30"}) != 0)
      return false;
  }
  return true;
}

bool Running(CZorvaneViewerDlg& dialog) {
  CGraphPlayer* engine = dialog.Player().Engine();
  return engine && engine->GetState() == zv::Running;
}

// Lets the window play and advance by itself until `rows` recordings have
// opened (their names seen as the window's current file), or the list ends.
void PlayUntil(CZorvaneViewerDlg& dialog, std::set<std::string>& played, size_t rows) {
  WaitFor([&] {
    if (Running(dialog) && !dialog.CurrentFileName().empty()) played.insert(dialog.CurrentFileName());
    return played.size() >= rows;
  }, static_cast<int>(rows) * 5000);
}

// Opens the first row and waits for its picture, then closes it.
bool OpenAndClose(CZorvaneViewerDlg& dialog) {
  dialog.FrontScreen()->ClearFrame();
  dialog.PlayListItem(0);
  const bool shown = WaitFor([&] { return Running(dialog) && dialog.FrontScreen()->HasFrame(); }, 10000);
  dialog.StopPlayback(true);
  dialog.Player().Close();
  return shown;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home, folder;
  PrepareWindowProcess(home.path());
  QApplication app(argc, argv);
  if (argc == 3) {
    kRecordings = std::max(kWarmUpRecordings + 2, std::atoi(argv[1]));
    kOpenCloseCycles = std::atoi(argv[2]);
  }
  gst_init(&argc, &argv);
  if (!zv::RegisterParseFilter(ZV_PROGRAM_DIR) || !MakeRecordings(folder.path())) {
    std::fprintf(stderr, "soak benchmark: cannot make the recordings or register the parse filter\n");
    return 1;
  }
  zv::RecordingLibrary::Instance().Clear();
  CZorvaneViewerDlg dialog;
  dialog.OnInitDialog();
  dialog.show();
  dialog.OpenPaths({folder.path()});
  const int listed = dialog.RecordingList()->RowCount();

  std::set<std::string> played;
  PlayUntil(dialog, played, kWarmUpRecordings + 1);
  const int resumeRow = dialog.RecordingList()->currentRow;
  const ProcessFigures start = Measure(dialog);
  played.erase(dialog.CurrentFileName());  // opened, but stopped at once: played again below
  dialog.PlayListItem(resumeRow);
  PlayUntil(dialog, played, static_cast<size_t>(listed));
  // The last recording plays to its end, after which the window stops.
  WaitFor([&] { return !Running(dialog) && !dialog.OpenPending(); }, 10000);

  int cycles = 0;
  for (int i = 0; i < kOpenCloseCycles; ++i) cycles += OpenAndClose(dialog) ? 1 : 0;
  const ProcessFigures end = Measure(dialog);
  std::fprintf(stderr, "soak benchmark: %d of %d open-close cycles showed a picture; rss %ld kB -> %ld kB\n",
               cycles, kOpenCloseCycles, start.residentKb, end.residentKb);

  ReportDifference("thread", start.threadNames, end.threadNames);
  ReportDifference("descriptor", start.fdTargets, end.fdTargets);
  std::printf("soak_recordings_listed: %d\n", listed);
  std::printf("soak_recordings_played: %zu\n", played.size());
  std::printf("soak_rss_growth_percent: %.2f\n", 100.0 * (end.residentKb - start.residentKb) / start.residentKb);
  std::printf("soak_threads_start: %d\n", start.threads);
  std::printf("soak_threads_end: %d\n", end.threads);
  std::printf("soak_fds_start: %d\n", start.fds);
  std::printf("soak_fds_end: %d\n", end.fds);
  return 0;
}
