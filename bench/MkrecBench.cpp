// SPDX-License-Identifier: GPL-3.0-or-later
// How long zv-mkrec takes to write the demo card at the default picture
// sizes (target: under two minutes on two cores).
#include "DemoCardWriter.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gst/gst.h>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    gst_init(&argc, &argv);

    QTemporaryDir dir;
    zv::mkrec::RecordingOptions base;
    base.start = QDateTime::currentDateTime();
    zv::mkrec::DemoCardWriter card(dir.path(), 0.25, base);
    double videoSeconds = 0;
    for (const auto& recording : card.Plan())
        videoSeconds += recording.options.seconds;

    QElapsedTimer timer;
    timer.start();
    const bool ok = card.Write();
    const double seconds = timer.elapsed() / 1000.0;
    if (!ok) {
        std::fprintf(stderr, "mkrec: %s\n", card.Error().c_str());
        return 1;
    }
    std::printf("mkrec_card_seconds: %.1f\n", seconds);
    std::printf("mkrec_card_video_seconds: %.0f\n", videoSeconds);
    std::printf("mkrec_seconds_per_video_second: %.2f\n", seconds / videoSeconds);
    return 0;
}
