// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

#include "platform/MkfsFatFormatter.h"

namespace zv {
namespace {

struct Outcome {
  bool finished = false;
  bool succeeded = false;
  QString report;
  QStringList steps;
};

// Runs the formatter on `image` with `label` until it reports, in an event
// loop of its own, as the format dialog would.
Outcome Format(const QString& image, const QString& label) {
  int argc = 0;
  std::unique_ptr<QCoreApplication> app;
  if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, nullptr);
  Outcome outcome;
  MkfsFatFormatter formatter(image);
  QEventLoop loop;
  QObject::connect(&formatter, &ICardFormatter::Progress,
                   [&](const QString& step) { outcome.steps << step; });
  QObject::connect(&formatter, &ICardFormatter::Finished, [&](bool ok, const QString& report) {
    outcome = {true, ok, report, outcome.steps};
    loop.quit();
  });
  QTimer::singleShot(30000, &loop, &QEventLoop::quit);  // guard against a hang
  formatter.Start(label);
  if (!outcome.finished) loop.exec();
  return outcome;
}

QString Tool(const char* name) {
  const QString found = QStandardPaths::findExecutable(name);
  return found.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin"}) : found;
}

TEST(MkfsFatFormatterTest, FormatsAnImageFileWithTheLabel) {
  ASSERT_FALSE(MkfsFatFormatter::ToolPath().isEmpty()) << "mkfs.fat (dosfstools) is missing";
  QTemporaryDir dir;
  const QString image = dir.filePath("card.img");
  ASSERT_EQ(QProcess::execute("truncate", {"-s", "8M", image}), 0);
  ASSERT_EQ(QProcess::execute(MkfsFatFormatter::ToolPath(), {"-n", "OLD", image}), 0);

  const Outcome outcome = Format(image, "VARNI");
  ASSERT_TRUE(outcome.finished);
  EXPECT_TRUE(outcome.succeeded) << outcome.report.toStdString();
  EXPECT_EQ(outcome.steps.size(), 1);

  QProcess label;
  label.start(Tool("fatlabel"), {image});
  ASSERT_TRUE(label.waitForFinished(10000));
  EXPECT_EQ(QString::fromLocal8Bit(label.readAllStandardOutput()).trimmed(), "VARNI");
}

TEST(MkfsFatFormatterTest, ReportsTheToolsFailure) {
  QTemporaryDir dir;
  const Outcome outcome = Format(dir.filePath("missing/card.img"), "VARNI");
  ASSERT_TRUE(outcome.finished);
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_TRUE(outcome.report.contains("mkfs.fat")) << outcome.report.toStdString();
  EXPECT_GT(outcome.report.count('\n'), 0) << "the tool's own output is part of the report";
}

}  // namespace
}  // namespace zv
