// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tarvelo-commons-server [FAULT…]: the made-up Commons of the tests as a
// program of its own, for shell tests, the benchmark and Wine. Prints its
// port on the first line of standard output and serves until killed or its
// standard input closes. FAULT: maxlag, 429, stall, truncated, not-image,
// redirect.
#include "FakeCommons.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    tarvelo::fake::FakeCommons server;
    tarvelo::fake::Faults& faults = server.faults();
    for (const QString& fault : QCoreApplication::arguments().mid(1)) {
        if (fault == QLatin1String("maxlag")) {
            faults.maxlagAnswers = 1;
        } else if (fault == QLatin1String("429")) {
            faults.tooManyRequests = 1;
        } else if (fault == QLatin1String("stall")) {
            faults.stall = true;
        } else if (fault == QLatin1String("truncated")) {
            faults.thumbnails = tarvelo::fake::Faults::Thumbnails::Truncated;
        } else if (fault == QLatin1String("not-image")) {
            faults.thumbnails = tarvelo::fake::Faults::Thumbnails::NotAnImage;
        } else if (fault == QLatin1String("redirect")) {
            faults.thumbnails = tarvelo::fake::Faults::Thumbnails::RedirectToHttp;
        } else {
            std::fprintf(stderr, "usage: tarvelo-commons-server [maxlag|429|stall|truncated|"
                                 "not-image|redirect]...\n");
            return 2;
        }
    }
    if (!server.listen()) {
        std::fprintf(stderr, "tarvelo-commons-server: cannot listen on 127.0.0.1\n");
        return 1;
    }
    std::printf("%u\n", static_cast<unsigned>(server.port()));
    std::fflush(stdout);
    // Standard input closing is the end: a test's shell need not find the
    // process to stop it.
    const std::unique_ptr<QThread> watcher(QThread::create([&application] {
        while (std::getchar() != EOF) {
        }
        QMetaObject::invokeMethod(&application, &QCoreApplication::quit, Qt::QueuedConnection);
    }));
    watcher->start();
    const int status = QCoreApplication::exec();
    // Only the end of standard input quits, so the watcher has ended.
    watcher->wait();
    return status;
}
