// The screenshot run of the real program: one picture per tool window type and per instruct
// that opens a dialog, none of them blank.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

namespace {

// Distinct colours on a coarse grid: a blank or single-colour picture has one or two.
int Colours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) {
            colours.insert(image.pixel(x, y));
        }
    }
    return int(colours.size());
}

TEST(ScreenshotTest, EveryWindowTypeAndModalInstructIsPicturedAndNoneIsBlank) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QProcess terminal;
    terminal.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    terminal.start(qEnvironmentVariable("KRT_DIST_BIN") + QStringLiteral("/krt-terminal"),
                   {QStringLiteral("--offscreen"), QStringLiteral("--screenshot"), folder.path()});
    ASSERT_TRUE(terminal.waitForFinished(180000));
    ASSERT_EQ(terminal.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(terminal.exitCode(), 0);

    for (const char* name : {"KRTToolQuickMouse", "KRFutureQMouse", "PositionAnalyze", "OptBatchWindow",
                             "KROptionQMouse", "KRTShortcutTrade", "MainWindow", "OptionPriceCalc"}) {
        const QImage picture(folder.filePath(QString::fromUtf8(name) + QStringLiteral(".png")));
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_GT(Colours(picture), 8) << name;
    }
}

}  // namespace
