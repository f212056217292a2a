// SPDX-License-Identifier: GPL-3.0-or-later
// Each built-in skin in the real player under Xvfb: the window is drawn from
// that skin's sheet with every piece where the shared layout puts it, and a
// press on a control shows that control pressed, at the same place in both.
#include "player_harness.h"
#include "skin/skin_catalog.h"
#include "skin/sprite_layout.h"
#include "temp_home.h"

#include <gtest/gtest.h>

#include <QColorSpace>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QThread>

namespace {

constexpr int kStartTimeoutMs = 15000;

struct SkinCase {
    const char* name;
    int skin;
};

class SkinsE2eTest : public testing::TestWithParam<SkinCase> {
protected:
    SkinsE2eTest() : m_harness(QStringLiteral("skins-e2e")) {}

    QString Xdo(const QStringList& arguments) const
    {
        return m_harness.Xvfb().Run(QStringLiteral("xdotool"), arguments).trimmed();
    }

    QImage Window(const QString& id) const
    {
        const QString path = m_harness.Folder() + QStringLiteral("/screen.png");
        QFile::remove(path);
        m_harness.Xvfb().Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
        QImage screen = QImage(path).convertToFormat(QImage::Format_RGB32);
        screen.setColorSpace(QColorSpace());  // compared by pixels alone
        return screen.copy(m_harness.Xvfb().WindowGeometry(id));
    }

    PlayerHarness m_harness;
};

INSTANTIATE_TEST_SUITE_P(BuiltIn, SkinsE2eTest,
                         testing::Values(SkinCase{"MetalRed", SKIN_METAL_RED},
                                         SkinCase{"BlueCurve", SKIN_BLUE_CURVE}),
                         [](const testing::TestParamInfo<SkinCase>& param) { return param.param.name; });

TEST_P(SkinsE2eTest, WindowIsDrawnFromTheSkinsSheetAtTheSharedPlaces)
{
    ASSERT_TRUE(m_harness.DisplayReady());
    {
        QSettings profile(m_harness.ProfilePath(), QSettings::IniFormat);
        profile.setValue(QStringLiteral("Setting/Skin"), GetParam().skin);
    }
    QProcess& player = m_harness.Start({});
    ASSERT_TRUE(m_harness.WaitForMainWindowVisible(true, kStartTimeoutMs));
    const QString id = Xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                            QStringLiteral("^Velmora$")})
                           .section(u'\n', 0, 0);
    ASSERT_FALSE(id.isEmpty());
    QImage sheet = QImage(BuiltInSkin(GetParam().skin).sheetPath).convertToFormat(QImage::Format_RGB32);
    sheet.setColorSpace(QColorSpace());
    ASSERT_EQ(sheet.size(), sprite::kSheetSize);

    QImage shot;
    const QRect geometry = m_harness.Xvfb().WindowGeometry(id);
    const int w = geometry.width();
    const int h = geometry.height();
    using namespace sprite;
    // Where each piece must show, and from where on the sheet.
    const struct {
        QRect at;
        QPoint from;
    } pieces[] = {
        {QRect(5, h - 49, 41, 43), kPlayNormal},
        {QRect(QPoint(52, h - 28), kTransportStrip.size()), kTransportStrip.topLeft()},
        {QRect(w - 108, 7, 101, 13), kMainTopRight.topLeft() + QPoint(16, 7)},
        {QRect(QPoint(w - 58, h - 48), kMuteFace.size()), kMuteFace.topLeft()},
        {QRect(QPoint(w - 24, h - 48), kOptionsFace.size()), kOptionsFace.topLeft()},
    };
    const auto drawn = [&](const QRect& at, QPoint from) {
        return shot.copy(at) == sheet.copy(QRect(from, at.size()));
    };
    QDeadlineTimer deadline(10000);
    do {
        shot = Window(id);
    } while (!drawn(pieces[0].at, pieces[0].from) && !deadline.hasExpired() && (QThread::msleep(100), true));
    EXPECT_TRUE(
        shot.save(testsupport::BuildPath(QStringLiteral("tests/mainwnd/skin-%1.png").arg(GetParam().name))));
    for (const auto& piece : pieces)
        EXPECT_TRUE(drawn(piece.at, piece.from)) << piece.at.x() << ", " << piece.at.y();

    // Holding the button on Stop shows Stop pressed: the point hits the same
    // control in every skin.
    const QRect stop(135 + 24, h - 26, 21, 17);
    const QPoint press = geometry.topLeft() + stop.center();
    Xdo({QStringLiteral("mousemove"), QString::number(press.x()), QString::number(press.y())});
    Xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
    deadline.setRemainingTime(10000);
    while (!drawn(stop, kStopPressed) && !deadline.hasExpired()) {
        QThread::msleep(100);
        shot = Window(id);
    }
    Xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
    EXPECT_TRUE(drawn(stop, kStopPressed));

    player.terminate();
    EXPECT_TRUE(player.waitForFinished(10000));
}

}  // namespace
