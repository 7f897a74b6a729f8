// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
//
// bench_startup [--runs N] [--quenlow PATH]
//
// Start-up of the designer to its first window, as a person meets it: on a
// display of its own (Xvfb), a program folder with its answers database, in
// English and in German (the program's and Qt's own catalogues loaded). Each
// run starts quenlow and polls the display every 5 ms until a visible window
// titled "Quenlow" exists; the process is then ended. The first run of each
// language warms the disk cache and is not counted. Target: the median stays
// at or under 0.6 s in both languages. Exit code 0 when it does. It also times
// loading the German catalogues alone, the part of start-up they add. Start-up
// times depend on the machine's load: compare builds in one run, on a quiet machine.
#include "database/AnswerColumns.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTranslator>

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kTargetSeconds = 0.6;

// True once a visible top-level window of that exact title exists on `display`.
bool windowShown(const QString& display)
{
    QProcess search;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    search.setProcessEnvironment(env);
    search.start(QStringLiteral("xdotool"),
        { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
            QStringLiteral("^Quenlow$") });
    search.waitForFinished(2000);
    return search.exitCode() == 0 && !search.readAllStandardOutput().trimmed().isEmpty();
}

// Seconds from starting quenlow to its window, or a negative number when it never came.
double oneStart(const QString& quenlow, const QString& folder, const QString& display, const QString& locale)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANGUAGE"), locale.section(QLatin1Char('.'), 0, 0));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    program.start(quenlow, { QStringLiteral("--app-folder"), folder + QStringLiteral("/app") });
    double seconds = -1;
    while (timer.elapsed() < 20000 && program.state() != QProcess::NotRunning) {
        if (windowShown(display)) {
            seconds = double(timer.nsecsElapsed()) / 1e9;
            break;
        }
        QThread::msleep(5);
    }
    if (seconds < 0 && program.state() == QProcess::NotRunning)
        std::fprintf(stderr, "bench_startup: quenlow ended with %d before its window\n", program.exitCode());
    program.terminate();
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished();
    }
    return seconds;
}

// Milliseconds to load Qt's and the program's German catalogues, as the program does
// before its first window: the part of start-up the catalogues add, apart from the
// machine's load.
double catalogueMilliseconds(const QString& quenlow)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    QList<double> times;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTranslator qt;
        QTranslator own;
        const bool loaded = qt.load(german, QStringLiteral("qtbase"), QStringLiteral("_"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath))
            && own.load(german, QStringLiteral("quenlow"), QStringLiteral("_"),
                QFileInfo(quenlow).absolutePath() + QStringLiteral("/translations"));
        if (!loaded)
            return -1;
        QCoreApplication::installTranslator(&qt);
        QCoreApplication::installTranslator(&own);
        times.append(double(timer.nsecsElapsed()) / 1e6);
        QCoreApplication::removeTranslator(&own);
        QCoreApplication::removeTranslator(&qt);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 10;
#ifdef QUENLOW_EXECUTABLE
    QString quenlow = QStringLiteral(QUENLOW_EXECUTABLE);
#else
    QString quenlow;
#endif
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--runs"))
            runs = std::max(1, args.at(i + 1).toInt());
        else if (args.at(i) == QLatin1String("--quenlow"))
            quenlow = args.at(i + 1);
    }
    if (quenlow.isEmpty()) {
        std::fprintf(stderr, "bench_startup: give --quenlow PATH\n");
        return 2;
    }

    if (const double ms = catalogueMilliseconds(quenlow); ms >= 0)
        std::printf("German catalogues (qtbase + quenlow) load in %.2f ms (median of 21)\n", ms);
    else
        std::printf("German catalogues not found beside %s or in Qt's translations\n", qPrintable(quenlow));

    QTemporaryDir work;
    QDir(work.path()).mkpath(QStringLiteral("app"));
    if (const auto made = quenlow::createDatabase(work.path() + QStringLiteral("/app/formAnswers.mdb"));
        !made) {
        std::fprintf(stderr, "bench_startup: %s\n", qPrintable(made.error().detail));
        return 2;
    }

    // A display of its own, numbered by Xvfb itself.
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
            QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp") });
    if (!xvfb.waitForReadyRead(10000)) {
        std::fprintf(stderr, "bench_startup: Xvfb did not start\n");
        return 2;
    }
    const QString display = QLatin1Char(':') + QString::fromLatin1(xvfb.readLine().trimmed());

    bool met = true;
    for (const QString& locale : { QStringLiteral("en_US.UTF-8"), QStringLiteral("de_DE.UTF-8") }) {
        oneStart(quenlow, work.path(), display, locale); // warms the disk cache
        QList<double> times;
        for (int i = 0; i < runs; ++i) {
            const double seconds = oneStart(quenlow, work.path(), display, locale);
            if (seconds < 0) {
                std::fprintf(stderr, "bench_startup: no window under %s\n", qPrintable(locale));
                met = false;
                break;
            }
            times.append(seconds);
        }
        if (times.isEmpty())
            continue;
        std::sort(times.begin(), times.end());
        const double median = times.at(times.size() / 2);
        std::printf("%-12s runs %d  min %.3f s  median %.3f s  max %.3f s  (target <= %.1f s)\n",
            qPrintable(locale), int(times.size()), times.first(), median, times.last(), kTargetSeconds);
        met = met && median <= kTargetSeconds;
    }
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    return met ? 0 : 1;
}
