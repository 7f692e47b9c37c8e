#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <thread>

#include "platform/WinMessage.h"

namespace {

class Receiver : public QObject, public Win::MessageWindow {
public:
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override {
        messages.push_back(message);
        lastW = wParam;
        lastL = lParam;
        // Only these two messages carry owned data, as the sender and receiver agree per number.
        if (message == Win::WM_USER + 1505 || message == Win::WM_USER + 4128) {
            if (const QString* text = Win::PayloadValue<QString>(wParam)) {
                texts.push_back(*text);
            }
        }
        threadSeen = QThread::currentThread();
        return message + 1;
    }
    std::vector<Win::UINT> messages;
    std::vector<QString> texts;
    Win::WPARAM lastW = 0;
    Win::LPARAM lastL = 0;
    QThread* threadSeen = nullptr;
};

// Counts live payloads so a test can see that each one is freed exactly once.
struct Counted {
    explicit Counted(int* live) : live(live) { ++*live; }
    Counted(Counted&& other) noexcept : live(other.live) { other.live = nullptr; }
    ~Counted() {
        if (live) {
            --*live;
        }
    }
    int* live;
};

bool WaitFor(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return condition();
}

TEST(WindowMessages, SendIsSynchronousPostIsQueued) {
    Receiver r;
    EXPECT_EQ(Win::SendMessage(&r, Win::WM_USER + 1, 7, -3), Win::WM_USER + 2);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.lastL, -3);

    EXPECT_TRUE(Win::PostMessage(&r, Win::WM_USER + 5, 1, 2));
    EXPECT_EQ(r.messages.size(), 1u);
    ASSERT_TRUE(WaitFor([&] { return r.messages.size() == 2; }));
    EXPECT_EQ(r.messages.back(), Win::WM_USER + 5);
}

TEST(WindowMessages, TargetsThatCannotReceiveAreRefused) {
    QObject plain;
    EXPECT_FALSE(Win::PostMessage(&plain, Win::WM_USER, 0, 0));
    EXPECT_FALSE(Win::PostMessage(nullptr, Win::WM_USER, 0, 0));
    EXPECT_EQ(Win::SendMessage(&plain, Win::WM_USER, 0, 0), 0);
    int live = 0;
    EXPECT_FALSE(
        Win::PostMessage(&plain, Win::WM_USER, Win::MakePayload(Counted(&live)), Win::MakePayload(0)));
    EXPECT_EQ(live, 0);
}

TEST(WindowMessages, OwnedPayloadsAreReadableDuringDeliveryAndFreedAfterIt) {
    Receiver r;
    ASSERT_TRUE(Win::PostMessage(&r, Win::WM_USER + 1505, Win::MakePayload(QStringLiteral("十手")),
                                 Win::MakePayload(std::vector<QString>{"a", "b"})));
    ASSERT_TRUE(WaitFor([&] { return !r.texts.empty(); }));
    EXPECT_EQ(r.texts.front(), "十手");
}

TEST(WindowMessages, PayloadsPostedToAWindowThatDiesFirstAreStillFreed) {
    int live = 0;
    {
        Receiver r;
        ASSERT_TRUE(Win::PostMessage(&r, Win::WM_USER, Win::MakePayload(Counted(&live)),
                                     Win::MakePayload(Counted(&live))));
        EXPECT_EQ(live, 2);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(live, 0);
}

TEST(WindowMessages, PostsFromAHostThreadAreHandledOnTheWindowsThread) {
    Receiver r;
    std::thread worker([&] {
        Win::PostMessage(&r, Win::WM_USER + 4128, Win::MakePayload(QStringLiteral("q")), Win::MakePayload(1));
    });
    worker.join();
    ASSERT_TRUE(WaitFor([&] { return !r.messages.empty(); }));
    EXPECT_EQ(r.threadSeen, QThread::currentThread());
}

}  // namespace
