// SPDX-License-Identifier: GPL-3.0-or-later
// The element's location property and file URI handler, which let GStreamer
// programs (gst-launch-1.0, playbin's URI sources) use it without the
// viewer's "load" signal.
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <string>

#include "ParseFilterHarness.h"
#include "RecordingFixtures.h"
#include "player/SensorStreamSource.h"

namespace zv::test {
namespace {

std::string LocationOf(GstElement* element) {
  gchar* location = nullptr;
  g_object_get(element, "location", &location, nullptr);
  std::string text = location ? location : "";
  g_free(location);
  return text;
}

std::string UriOf(GstElement* element) {
  gchar* uri = gst_uri_handler_get_uri(GST_URI_HANDLER(element));
  std::string text = uri ? uri : "";
  g_free(uri);
  return text;
}

// Sets `uri`; the error code when it is refused, 0 when it is taken.
int SetUri(GstElement* element, const char* uri) {
  GError* error = nullptr;
  if (gst_uri_handler_set_uri(GST_URI_HANDLER(element), uri, &error)) return 0;
  EXPECT_EQ(error->domain, GST_URI_ERROR);
  const int code = error->code + 1;
  g_error_free(error);
  return code;
}

class ParseFilterLocationTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/zv-location-XXXXXX";
    folder_ = mkdtemp(pattern);
    recording_ = MakeGeneratedRecording(folder_, "two channels.avi",
                                        "--front 320x180 --rear 160x90 --seconds 2");
  }
  static void TearDownTestSuite() { RunCommand("rm -rf '" + folder_ + "'"); }

  static std::string folder_, recording_;
};
std::string ParseFilterLocationTest::folder_;
std::string ParseFilterLocationTest::recording_;

TEST_F(ParseFilterLocationTest, FileUrisOfThisMachineSetTheLocation) {
  GstElement* element = gst_element_factory_make(kParseFilterFactory, nullptr);
  ASSERT_TRUE(element);
  const gchar* const* protocols = gst_uri_handler_get_protocols(GST_URI_HANDLER(element));
  ASSERT_TRUE(protocols && protocols[0]);
  EXPECT_STREQ(protocols[0], "file");
  EXPECT_EQ(gst_uri_handler_get_uri_type(GST_URI_HANDLER(element)), GST_URI_SRC);
  EXPECT_EQ(UriOf(element), "");

  EXPECT_EQ(SetUri(element, "file:///media/card/REC%20one.AVI"), 0);
  EXPECT_EQ(LocationOf(element), "/media/card/REC one.AVI");
  EXPECT_EQ(UriOf(element), "file:///media/card/REC%20one.AVI");
  EXPECT_EQ(SetUri(element, "file://localhost/media/b.AVI"), 0);
  EXPECT_EQ(LocationOf(element), "/media/b.AVI");

  // Other machines and other schemes are refused and change nothing.
  EXPECT_EQ(SetUri(element, "file://server/share/c.AVI"), GST_URI_ERROR_BAD_URI + 1);
  EXPECT_EQ(SetUri(element, "http://example.com/d.AVI"), GST_URI_ERROR_UNSUPPORTED_PROTOCOL + 1);
  EXPECT_EQ(LocationOf(element), "/media/b.AVI");
  gst_object_unref(element);
}

TEST_F(ParseFilterLocationTest, TheLocationLoadsOnReadyAndStaysOnceLoaded) {
  ParseFilterHarness harness;
  g_object_set(harness.element(), "location", recording_.c_str(), nullptr);
  EXPECT_TRUE(harness.PadNames().empty());  // nothing is read before READY
  ASSERT_TRUE(harness.SetState(GST_STATE_READY));
  EXPECT_EQ(harness.PadNames(), (std::vector<std::string>{"Video1", "Video2", "Audio"}));
  EXPECT_EQ(SetUri(harness.element(), "file:///elsewhere.avi"), GST_URI_ERROR_BAD_STATE + 1);
  EXPECT_EQ(LocationOf(harness.element()), recording_);

  ASSERT_TRUE(harness.LinkDecoders());
  ASSERT_TRUE(harness.SetState(GST_STATE_PLAYING));
  std::string error;
  ASSERT_TRUE(harness.WaitForEos(30, &error)) << error;
  for (int count : harness.BufferCounts()) EXPECT_GT(count, 0);
}

TEST_F(ParseFilterLocationTest, TheLoadSignalAlsoNamesTheLocation) {
  ParseFilterHarness harness;
  ASSERT_EQ(harness.Load(recording_), 0);
  EXPECT_EQ(LocationOf(harness.element()), recording_);
  ASSERT_TRUE(harness.SetState(GST_STATE_READY));  // no second load
  EXPECT_EQ(harness.PadNames().size(), 3u);
}

TEST_F(ParseFilterLocationTest, AMissingOrForeignFileFailsTheStateChangeWithAnError) {
  const std::string notARecording = folder_ + "/notes.AVI";
  ASSERT_TRUE(RunCommand("echo hello > '" + notARecording + "'"));
  struct Case {
    std::string path;
    GQuark domain;
    int code;
  };
  for (const Case& c : {Case{folder_ + "/missing.AVI", GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_NOT_FOUND},
                        Case{notARecording, GST_STREAM_ERROR, GST_STREAM_ERROR_WRONG_TYPE}}) {
    ParseFilterHarness harness;
    g_object_set(harness.element(), "location", c.path.c_str(), nullptr);
    EXPECT_FALSE(harness.SetState(GST_STATE_READY)) << c.path;
    GstBus* bus = gst_element_get_bus(GST_ELEMENT_PARENT(harness.element()));  // the pipeline's
    GstMessage* message = gst_bus_timed_pop_filtered(bus, 5 * GST_SECOND, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    ASSERT_TRUE(message) << c.path;
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    EXPECT_TRUE(g_error_matches(error, c.domain, c.code)) << error->message;
    EXPECT_NE(std::string(error->message).find(c.path), std::string::npos) << error->message;
    g_error_free(error);
    gst_message_unref(message);
  }
}

}  // namespace
}  // namespace zv::test
