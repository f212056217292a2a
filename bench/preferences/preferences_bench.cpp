// SPDX-License-Identifier: GPL-3.0-or-later
// Building and showing the preferences sheet, as the Options button does,
// on Qt's offscreen platform. With VELMORA_BENCH_SNAPSHOT=<folder> it also
// writes the open sheet's General and Keys pages, in English and German, as
// PNG files to look at.
#include "settings/language.h"
#include "settings/localized_strings.h"
#include "settings/player_settings.h"
#include "preferences/preference_dlg.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void OpenSheet(benchmark::State& bench)
{
    QTemporaryDir dir;
    CPlayerSettings settings(dir.filePath(QStringLiteral("Velmora.ini")), QStringLiteral("/usr/bin/velmora"));
    for (auto _ : bench) {
        CPreferenceDlg sheet(settings, {});
        sheet.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(sheet.winId());
    }
}
BENCHMARK(OpenSheet)->Unit(benchmark::kMillisecond);

void WriteSnapshots(const QString& folder)
{
    QTemporaryDir dir;
    CPlayerSettings settings(dir.filePath(QStringLiteral("Velmora.ini")), QStringLiteral("/usr/bin/velmora"));
    for (int language : {LANG_ENGLISH_US, 1031, 1037}) {
        ApplyInterfaceLanguage(language);
        settings.languageID = language;
        CPreferenceDlg sheet(settings, {});
        sheet.show();
        QApplication::processEvents();
        auto* pages = sheet.findChild<QListWidget*>(QStringLiteral("pages"));
        for (int page : {0, 2}) {
            pages->setCurrentRow(page);
            QApplication::processEvents();
            sheet.grab().save(QStringLiteral("%1/sheet-%2-page%3.png").arg(folder).arg(language).arg(page));
        }
    }
    ApplyInterfaceLanguage(LANG_ENGLISH_US);
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (const QString folder = qEnvironmentVariable("VELMORA_BENCH_SNAPSHOT"); !folder.isEmpty()) {
        QDir().mkpath(folder);
        WriteSnapshots(folder);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
