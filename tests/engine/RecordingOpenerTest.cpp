// SPDX-License-Identifier: GPL-3.0-or-later
// The opener that loads recordings off the window's thread: with a loader
// that waits for the test (behind the opener's Loader interface) for the
// rules about which result counts, and with the real loader on a generated
// recording.
#include <gtest/gtest.h>

#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "PlaybackTestSupport.h"
#include "player/RecordingOpener.h"

using namespace zv;

namespace {

// A loader that blocks until released, and tells each result by its path.
class GatedLoader {
 public:
  RecordingOpener::Result operator()(const std::string& path, uint8_t) {
    std::unique_lock lock(mutex_);
    ++started_;
    opened_.notify_all();
    released_.wait(lock, [&] { return open_; });
    RecordingOpener::Result result;
    result.graph.path = path;
    result.graph.result = 0;
    return result;
  }
  void Release() {
    std::lock_guard lock(mutex_);
    open_ = true;
    released_.notify_all();
  }
  void WaitStarted(int count) {
    std::unique_lock lock(mutex_);
    opened_.wait(lock, [&] { return started_ >= count; });
  }
  int started() {
    std::lock_guard lock(mutex_);
    return started_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable released_, opened_;
  bool open_ = false;
  int started_ = 0;
};

struct Delivered {
  std::vector<std::string> paths;
  RecordingOpener::Done Collect() {
    return [this](RecordingOpener::Result r) { paths.push_back(r.graph.path); };
  }
};

TEST(RecordingOpenerTest, TheWindowThreadRunsOnAndOnlyTheNewestRequestIsDelivered) {
  GatedLoader gate;
  Delivered delivered;
  RecordingOpener opener(delivered.Collect(), [&](const std::string& p, uint8_t f) { return gate(p, f); });
  opener.Start("first", 0);
  gate.WaitStarted(1);
  opener.Start("second", 0);  // waits behind the first load, which no longer counts
  opener.Start("third", 0);   // replaces the second before it begins
  EXPECT_TRUE(opener.Pending());
  int ticks = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
  tick.start(10);
  EXPECT_FALSE(WaitFor([&] { return !delivered.paths.empty(); }, 300));  // the load still blocks
  EXPECT_GE(ticks, 5);  // and this thread kept handling its timer meanwhile
  gate.Release();
  ASSERT_TRUE(WaitFor([&] { return !delivered.paths.empty(); }));
  WaitFor([] { return false; }, 100);
  EXPECT_EQ(delivered.paths, std::vector<std::string>{"third"});
  EXPECT_EQ(gate.started(), 2);  // "second" never loaded
  EXPECT_FALSE(opener.Pending());
}

TEST(RecordingOpenerTest, CancelOrDestructionDropsTheResult) {
  GatedLoader gate;
  Delivered delivered;
  {
    RecordingOpener opener(delivered.Collect(), [&](const std::string& p, uint8_t f) { return gate(p, f); });
    opener.Start("cancelled", 0);
    gate.WaitStarted(1);
    opener.Cancel();
    EXPECT_FALSE(opener.Pending());
    gate.Release();
    WaitFor([] { return false; }, 200);
    EXPECT_TRUE(delivered.paths.empty());
    opener.Start("abandoned", 0);
    gate.WaitStarted(2);
  }  // the opener goes before "abandoned" is handed over: nothing is delivered
  WaitFor([] { return false; }, 100);
  EXPECT_TRUE(delivered.paths.empty());
}

TEST(RecordingOpenerTest, TheRealLoaderLoadsTheRecordingAndPullsItsRecords) {
  // A load that no engine takes (a superseded open) must leave GStreamer
  // nothing to complain about when it goes, such as a sound device left open.
  {
    GStreamerComplaints complaints;
    const auto loaded = RecordingOpener::LoadRecording(Fixture("REC_20130521_143015_F.AVI"), 0);
    EXPECT_EQ(loaded.graph.result, 0);
    ASSERT_TRUE(loaded.graph.parseFilter);
    EXPECT_TRUE(loaded.graph.audioRenderer);
    EXPECT_EQ(loaded.records.size(), 44u);  // 10 Hz G-sensor and 1 Hz GPS over 4 s
    EXPECT_EQ(loaded.records[0].bytes.at(0), 'M');
    EXPECT_EQ(complaints.Count(), 0);
  }
  const auto missing = RecordingOpener::LoadRecording(Fixture("missing.avi"), 0);
  EXPECT_EQ(missing.graph.result, 1);
  EXPECT_TRUE(missing.records.empty());
}

}  // namespace
