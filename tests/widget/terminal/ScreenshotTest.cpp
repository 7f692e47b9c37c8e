// The screenshot run of the real program: one picture per tool window type and per instruct
// that opens a dialog, and the file-order window, none of them blank, and the light dialogs
// readable in the dark theme.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>

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

// 8×8 squares of a picture's left part, below the dock's dark title bar, that are dark all over. The futures
// window's order panel is a light dialog: in the terminal's dark theme, fields it failed to lighten show as
// such squares, while dark captions are too thin to fill one.
int SolidDarkSquares(const QImage& image, int width) {
    constexpr int kTitleBarHeight = 32;
    int squares = 0;
    for (int top = kTitleBarHeight; top + 8 <= image.height(); top += 8) {
        for (int left = 0; left + 8 <= std::min(width, image.width()); left += 8) {
            bool dark = true;
            for (int y = top; y < top + 8 && dark; ++y) {
                for (int x = left; x < left + 8 && dark; ++x) {
                    dark = QColor(image.pixel(x, y)).lightness() < 60;
                }
            }
            squares += dark ? 1 : 0;
        }
    }
    return squares;
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

    for (const char* name :
         {"KRTToolQuickMouse", "KRFutureQMouse", "PositionAnalyze", "OptBatchWindow", "KROptionQMouse",
          "KRTShortcutTrade", "MainWindow", "OptionPriceCalc", "OptionSellAnaly", "OptionTradeStatistics",
          "OptionTradeStatisticsMaxPain", "PopOptBatchTrade", "FileOrder"}) {
        const QImage picture(folder.filePath(QString::fromUtf8(name) + QStringLiteral(".png")));
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_GT(Colours(picture), 8) << name;
    }
    constexpr int kOrderPanelWidth = 184;
    const QImage futures(folder.filePath(QStringLiteral("KRFutureQMouse.png")));
    EXPECT_EQ(SolidDarkSquares(futures, kOrderPanelWidth), 0);
}

}  // namespace
