// SPDX-License-Identifier: GPL-3.0-or-later
// The shutdown modes at the end of a clip, the minutes countdown and its
// dialog. Every power-off lands on the fixture's recorder.
#include "main_frame_fixture.h"

#include "mainwnd/command_ids.h"
#include "mainwnd/dlg_minute.h"
#include "engine/engine_host.h"
#include "settings/localized_strings.h"

#include <QAbstractSpinBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <utility>

namespace {

class ShutdownTest : public MainFrameTest {
protected:
    // The graph reports that the clip played to its end.
    void EndOfClip()
    {
        m_script.events.push_back(EC_COMPLETE);
        QEvent notify(WM_GRAPH_NOTIFY);
        QCoreApplication::sendEvent(&Main(), &notify);
    }

    // Runs `answer` on the minutes dialog that the next command opens.
    void AnswerMinutesDialog(std::function<void(CDlgMinute&)> answer)
    {
        auto* poll = new QTimer(&Main());
        QObject::connect(poll, &QTimer::timeout, poll, [poll, answer = std::move(answer)] {
            if (auto* dialog = qobject_cast<CDlgMinute*>(QApplication::activeModalWidget())) {
                poll->deleteLater();
                poll->stop();
                answer(*dialog);
            }
        });
        poll->start(5);
    }

    void ConfirmMinutes(const QString& text)
    {
        AnswerMinutesDialog([text](CDlgMinute& dialog) {
            dialog.MinutesEdit()->setText(text);
            dialog.accept();
            if (dialog.isVisible())
                dialog.reject();  // refused: fail, do not hang
        });
        Main().OnCommand(ID_SHUTDOWN_MINUTES);
    }

    int PowerOffs() const { return m_logind.m_nPowerOffs; }
};

TEST_F(ShutdownTest, PlaylistEndPowersOffAfterTheLastRowWhateverTheListModes)
{
    AddRows(3);
    Main().OnCommand(ID_SHUTDOWN_PLAYLIST_END);

    // PlaylistRepeat would wrap to row 0; the last row still ends the run.
    m_settings.PlaylistRepeat = 1;
    OpenRow(1);
    EndOfClip();
    EXPECT_EQ(PowerOffs(), 0);
    EXPECT_EQ(m_playlist.GetCurrent(), 2);
    m_script.calls.clear();
    EndOfClip();
    EXPECT_EQ(PowerOffs(), 1);
    EXPECT_EQ(m_playlist.GetCurrent(), 2) << "no wrap to the first row";
    EXPECT_EQ(m_script.Count(QStringLiteral("Stop")), 0);

    // Shuffle: whichever row ends, only the last one powers off.
    m_settings.PlaylistRepeat = 0;
    m_settings.Shuffle = 1;
    m_playlist.m_random.Seed(3);
    OpenRow(0);
    EndOfClip();
    EXPECT_EQ(PowerOffs(), 1);
    m_playlist.SetCurrent(2);
    EndOfClip();
    EXPECT_EQ(PowerOffs(), 2);
}

TEST_F(ShutdownTest, ClipRepeatRestartsBeforePlaylistEndButNotBeforeClipEnd)
{
    AddRows(2);
    OpenRow(1);
    Engine().ToggleRepeat();
    Main().OnCommand(ID_SHUTDOWN_PLAYLIST_END);
    for (int round = 0; round < 3; ++round) {
        m_script.position = 5 * kUnitsPerSecond;
        EndOfClip();
        EXPECT_EQ(m_script.position, 0) << "the clip restarts";
    }
    EXPECT_EQ(PowerOffs(), 0);
    EXPECT_EQ(m_playlist.GetCurrent(), 1);

    Main().OnCommand(ID_SHUTDOWN_CLIP_END);
    m_script.position = 5 * kUnitsPerSecond;
    EndOfClip();
    EXPECT_EQ(PowerOffs(), 1);
    EXPECT_NE(m_script.position, 0) << "nothing else happens at the power-off";
}

TEST_F(ShutdownTest, SecondMinutesRestartsTheFullPeriodAndTheCountdownRepeats)
{
    constexpr int kMinuteMs = 20;
    Main().SetCountdownMinuteMs(kMinuteMs);
    ConfirmMinutes(QStringLiteral("5"));
    EXPECT_EQ(m_settings.m_nShutdownMode, SHUTDOWN_MINUTES);
    EXPECT_TRUE(Main().IsShutdownTimerActive());
    QTest::qWait(3 * kMinuteMs);

    ConfirmMinutes(QStringLiteral("10"));
    QElapsedTimer sinceSecond;
    sinceSecond.start();
    const int before = PowerOffs();
    QTRY_VERIFY_WITH_TIMEOUT(PowerOffs() > before, 10000);
    // Timers may fire up to 5 % early.
    EXPECT_GE(sinceSecond.elapsed(), 10 * kMinuteMs * 95 / 100);
    // A refused power-off is asked for again one period later.
    QTRY_VERIFY_WITH_TIMEOUT(PowerOffs() > before + 1, 10000);
    EXPECT_GE(sinceSecond.elapsed(), 2 * 10 * kMinuteMs * 95 / 100);
    EXPECT_TRUE(Main().IsShutdownTimerActive());
    EXPECT_EQ(m_settings.m_nShutdownMode, SHUTDOWN_MINUTES);
}

TEST_F(ShutdownTest, MinutesDialogHasNoParentButStaysInFrontOfTheMainWindow)
{
    QWidget* parent = &Main();
    QWindow* transientFor = nullptr;
    AnswerMinutesDialog([&](CDlgMinute& dialog) {
        parent = dialog.parentWidget();
        transientFor = dialog.windowHandle()->transientParent();
        dialog.reject();
    });
    Main().OnCommand(ID_SHUTDOWN_MINUTES);
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(transientFor, Main().windowHandle());
}

TEST_F(ShutdownTest, CancelKeepsTheCountdownAndClipEndStopsIt)
{
    Main().SetCountdownMinuteMs(20);
    ConfirmMinutes(QStringLiteral("1"));
    QString reopenedWith;
    AnswerMinutesDialog([&reopenedWith](CDlgMinute& dialog) {
        reopenedWith = dialog.MinutesEdit()->text();
        dialog.MinutesEdit()->setText(QStringLiteral("7"));
        dialog.reject();
    });
    Main().OnCommand(ID_SHUTDOWN_MINUTES);
    EXPECT_EQ(reopenedWith, QStringLiteral("0"));
    EXPECT_EQ(m_settings.m_nShutdownMode, SHUTDOWN_MINUTES);
    EXPECT_TRUE(Main().IsShutdownTimerActive());

    Main().OnCommand(ID_SHUTDOWN_CLIP_END);
    EXPECT_EQ(m_settings.m_nShutdownMode, SHUTDOWN_CLIP_END);
    EXPECT_FALSE(Main().IsShutdownTimerActive());
    const int before = PowerOffs();
    QTest::qWait(200);
    EXPECT_EQ(PowerOffs(), before);
}

TEST_F(ShutdownTest, ShutdownModesStopTheCountdown)
{
    const std::pair<int, int> modes[] = {{ID_SHUTDOWN_NONE, SHUTDOWN_NONE},
                                         {ID_SHUTDOWN_PLAYLIST_END, SHUTDOWN_PLAYLIST_END}};
    for (const auto& [command, mode] : modes) {
        ConfirmMinutes(QStringLiteral("5"));
        ASSERT_TRUE(Main().IsShutdownTimerActive());
        Main().OnCommand(command);
        EXPECT_EQ(m_settings.m_nShutdownMode, mode);
        EXPECT_FALSE(Main().IsShutdownTimerActive()) << command;
    }
}

TEST_F(ShutdownTest, MinutesDialogRefusesWhatIsNotAWholeNumberInRange)
{
    CDlgMinute dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.windowTitle(), LoadLocalizedString(220));
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), LoadLocalizedString(223));
    QLineEdit* edit = dialog.MinutesEdit();
    EXPECT_EQ(edit->text(), QStringLiteral("0"));
    EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    // Digits only; the spinner steps within 1..21600.
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("1x2-"));
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    edit->setText(QStringLiteral("0"));
    QTest::keyClick(dialog.findChild<QAbstractSpinBox*>(), Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    edit->setText(QStringLiteral("21600"));
    QTest::keyClick(dialog.findChild<QAbstractSpinBox*>(), Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("21600"));

    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    const QString notANumber = QStringLiteral("Please enter a positive integer.");
    const QString outOfRange = QStringLiteral("Please enter an integer between 1 and 21600.");
    const struct {
        QString text;
        QString message;
    } refused[] = {{QString(), notANumber},
                   {QStringLiteral("0"), outOfRange},
                   {QStringLiteral("21601"), outOfRange},
                   {QStringLiteral("99999999999999999999"), outOfRange}};
    for (const auto& entry : refused) {
        SCOPED_TRACE(entry.text.toStdString());
        edit->setText(entry.text);
        m_prompt.m_texts.clear();
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(m_prompt.m_texts, QStringList{entry.message});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(edit->hasFocus());
        EXPECT_EQ(dialog.Minutes(), 0u);
    }

    for (const unsigned minutes : {1u, 21600u}) {
        dialog.show();
        edit->setText(QString::number(minutes));
        m_prompt.m_texts.clear();
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(m_prompt.m_texts.isEmpty());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Minutes(), minutes);
    }
}

}  // namespace
