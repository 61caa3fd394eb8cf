// SPDX-License-Identifier: GPL-3.0-or-later
// zv-mkrec: writes recording files, or a whole demo memory card, for tests
// and demonstrations.
#include "DemoCardWriter.h"
#include "MkrecCommandLine.h"
#include "RecordingGenerator.h"

#include <QGuiApplication>

#include <gst/gst.h>

#include <cstdio>

int main(int argc, char** argv)
{
    // Pictures are drawn off screen; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    gst_init(&argc, &argv);

    zv::mkrec::MkrecCommandLine commandLine;
    if (!commandLine.Parse(app.arguments().mid(1), QDateTime::currentDateTime())) {
        std::fprintf(stderr, "zv-mkrec: %s\n%s", commandLine.Error().c_str(), zv::mkrec::MkrecCommandLine::Usage());
        return 2;
    }
    if (commandLine.HelpRequested() || commandLine.VersionRequested()) {
        const std::string text = commandLine.HelpRequested() ? zv::mkrec::MkrecCommandLine::Help()
                                                             : zv::mkrec::MkrecCommandLine::Version();
        std::fputs(text.c_str(), stdout);
        return 0;
    }
    if (commandLine.CardMode()) {
        zv::mkrec::DemoCardWriter card(commandLine.Output(), commandLine.CardMinutes(),
                                       commandLine.Options());
        card.OnRecording([](const QString& path) {
            std::printf("%s\n", qPrintable(path));
            std::fflush(stdout);
        });
        if (!card.Write()) {
            std::fprintf(stderr, "zv-mkrec: %s\n", card.Error().c_str());
            return 1;
        }
        return 0;
    }
    zv::mkrec::RecordingGenerator generator(commandLine.Options());
    if (!generator.Write(commandLine.Output().toStdString())) {
        std::fprintf(stderr, "zv-mkrec: %s\n", generator.Error().c_str());
        return 1;
    }
    return 0;
}
