// SPDX-License-Identifier: GPL-3.0-or-later
// Which subtitle file beside a clip is taken, which files are refused before
// GStreamer sees them, and the encoding a file is read in.
#include "engine/subtitle_files.h"
#include "temp_home.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/stat.h>

namespace {

struct PickCase {
    const char* clip;
    QStringList names;
    QStringList tags;
    const char* expected;
};

TEST(SubtitleFilesTest, PicksTheFileBesideTheClip)
{
    const QStringList english{QStringLiteral("en"), QStringLiteral("eng")};
    const QStringList russian{QStringLiteral("ru"), QStringLiteral("rus")};
    const QStringList portuguese{QStringLiteral("pt"), QStringLiteral("por")};
    const PickCase cases[] = {
        {"film", {"film.srt"}, english, "film.srt"},
        {"film", {"FILM.SRT"}, english, "FILM.SRT"},
        {"film", {"film.ass"}, english, "film.ass"},
        {"film", {"film.de.srt", "film.srt"}, english, "film.srt"},  // untagged beats another language
        {"film",
         {"film.srt", "film.en.srt", "film.de.srt"},
         english,
         "film.en.srt"},                                                         // the interface language wins
        {"film", {"film.srt", "film.rus.srt"}, russian, "film.rus.srt"},         // three-letter tag
        {"film", {"film.srt", "film.pt-BR.srt"}, portuguese, "film.pt-BR.srt"},  // tag with a region
        {"film", {"film.fr.srt", "film.de.srt"}, english, "film.de.srt"},        // else the first by name
        {"my.film", {"my.film.en.vtt", "my.srt"}, english, "my.film.en.vtt"},    // dots in the clip's name
        {"film", {"film2.srt", "other.srt", "film.mkv", "film.srt.bak", "filmx.srt"}, english, ""},
        {"film", {"film.part2.srt", "film..srt"}, english, ""},  // not language tags
    };
    for (const PickCase& c : cases)
        EXPECT_EQ(PickSubtitleBeside(QString::fromUtf8(c.clip), c.names, c.tags), QString::fromUtf8(c.expected))
            << c.clip << " " << c.names.join(u',').toStdString();
}

TEST(SubtitleFilesTest, FindsTheFileInTheClipsFolder)
{
    const QString folder = testsupport::MakeScratchDir(QStringLiteral("subtitles-beside"));
    for (const char* name : {"film.mkv", "film.srt", "film.ru.srt", "film.de.srt"}) {
        QFile file(folder + u'/' + QString::fromUtf8(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1\n");
    }
    const QString clip = folder + QStringLiteral("/film.mkv");
    EXPECT_EQ(FindSubtitleBeside(clip, LanguageTagsFor(1049)), folder + QStringLiteral("/film.ru.srt"));
    EXPECT_EQ(FindSubtitleBeside(clip, LanguageTagsFor(1033)), folder + QStringLiteral("/film.srt"));
    EXPECT_EQ(FindSubtitleBeside(folder + QStringLiteral("/other.mkv"), LanguageTagsFor(1033)), QString());
}

TEST(SubtitleFilesTest, ChoosesTheEncoding)
{
    const QByteArray cyrillic1251("1\n00:00:01,000 --> 00:00:02,000\n\xCF\xF0\xE8\xE2\xE5\xF2\n");
    const QByteArray cyrillicUtf8 = QStringLiteral("Привет, мир\n").toUtf8();
    const struct {
        QByteArray head;
        int language;
        const char* expected;
    } cases[] = {
        {"1\n00:00:01,000 --> 00:00:02,000\nHello\n", 1049, "UTF-8"},
        {"\xEF\xBB\xBF" + cyrillicUtf8, 1033, "UTF-8"},
        {cyrillicUtf8, 1033, "UTF-8"},
        {cyrillicUtf8.left(cyrillicUtf8.indexOf(',') - 1), 1049, "UTF-8"},  // cut inside the last letter
        {QByteArray("\xFF\xFE"
                    "1\0\n\0",
                    6),
         1049, "UTF-16LE"},
        {QByteArray("\xFE\xFF\0"
                    "1\0\n",
                    6),
         1033, "UTF-16BE"},
        {cyrillic1251, 1049, "WINDOWS-1251"},
        {cyrillic1251, 1058, "WINDOWS-1251"},
        {cyrillic1251, 1033, "WINDOWS-1252"},
        {cyrillic1251, 1036, "WINDOWS-1252"},
        {cyrillic1251, 1045, "WINDOWS-1250"},
        {cyrillic1251, 1038, "WINDOWS-1250"},
        {cyrillic1251, 1037, "WINDOWS-1255"},
        {cyrillic1251, 1054, "WINDOWS-874"},
        {cyrillic1251, 1041, "SHIFT_JIS"},
        {cyrillic1251, 2052, "GBK"},
        {cyrillic1251, 1028, "BIG5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseSubtitleEncoding(c.head, c.language), QByteArray(c.expected))
            << c.language << " " << c.head.toHex().toStdString();
}

TEST(SubtitleFilesTest, RefusesWhatIsNotASmallTextFile)
{
    const QString folder = testsupport::MakeScratchDir(QStringLiteral("subtitles-refused"));
    const auto write = [&folder](const char* name, const QByteArray& bytes) {
        QFile file(folder + u'/' + QString::fromUtf8(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString fifo = folder + QStringLiteral("/fifo.srt");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QFile large(write("large.srt", "1\n"));
    ASSERT_TRUE(large.resize(kSubtitleMaxBytes + 1));  // sparse: costs no disk

    const struct {
        QString path;
        SubtitleRefusal expected;
    } cases[] = {
        {write("good.srt", "1\n00:00:01,000 --> 00:00:02,000\nHello\n"), SubtitleRefusal::None},
        {write("wide.srt", QByteArray("\xFF\xFE"
                                      "1\0\n\0",
                                      6)),
         SubtitleRefusal::None},
        {write("binary.srt", QByteArray("\x7F"
                                        "ELF\x02\x01\x01\0\0\0",
                                        10)),
         SubtitleRefusal::NotText},
        {write("controls.srt", QByteArray(64, '\x01')), SubtitleRefusal::NotText},
        {write("empty.srt", "\n\n"), SubtitleRefusal::NotText},
        {large.fileName(), SubtitleRefusal::TooLarge},
        {fifo, SubtitleRefusal::Unreadable},  // returns at once, with no writer
        {QStringLiteral("/dev/zero"), SubtitleRefusal::Unreadable},
        {folder, SubtitleRefusal::Unreadable},
        {folder + QStringLiteral("/missing.srt"), SubtitleRefusal::Unreadable},
    };
    for (const auto& c : cases) {
        QByteArray head;
        EXPECT_EQ(CheckSubtitleFile(c.path, &head), c.expected) << c.path.toStdString();
        EXPECT_EQ(head.isEmpty(), c.expected != SubtitleRefusal::None) << c.path.toStdString();
    }
}

}  // namespace
