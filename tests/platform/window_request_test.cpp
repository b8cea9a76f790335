#include "platform/window_request.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace {

const QStringList kPaths{"/tmp/a b.apk", "/home/用户/新建\n文件夹/x.ipa", "/p/'q'; $r.xapk"};

TEST(WindowRequest, AnOpenRequestCarriesItsPathsWholeAndAnythingElseIsARaise)
{
    const QByteArray message = WindowRequest::openMessage(kPaths);
    const WindowRequest::Parsed whole = WindowRequest::parse(message);
    EXPECT_EQ(whole.kind, WindowRequest::Parsed::Open);
    EXPECT_EQ(whole.paths, kPaths);
    // Every shorter piece waits for the rest: the request may come in several parts.
    for (qsizetype size = 0; size < message.size(); ++size)
        EXPECT_EQ(WindowRequest::parse(message.left(size)).kind, WindowRequest::Parsed::Incomplete) << size;

    const WindowRequest::Parsed none = WindowRequest::parse(WindowRequest::openMessage({}));
    EXPECT_EQ(none.kind, WindowRequest::Parsed::Open);
    EXPECT_TRUE(none.paths.isEmpty());
    // An empty path would end the list early; it is left out.
    EXPECT_EQ(WindowRequest::parse(WindowRequest::openMessage({"/a.apk", "", "/b.ipa"})).paths,
              QStringList({"/a.apk", "/b.ipa"}));

    for (const QByteArray &other : {QByteArray("raise\n"), QByteArray("raise"), QByteArray("hello\0\0", 7)})
        EXPECT_EQ(WindowRequest::parse(other).kind, WindowRequest::Parsed::Raise) << other.constData();
}

// A window stand-in on its own thread: takes one connection, reads the whole request and answers
// it as told (or not at all).
class StandInWindow
{
public:
    enum Reply { Answer, Silent, HangUp };

    StandInWindow(const QString &socket, Reply reply)
    {
        m_thread.reset(QThread::create([this, socket, reply] {
            QLocalServer server;
            m_listening = server.listen(socket);
            m_ready.store(true);
            if (!m_listening || !server.waitForNewConnection(10000))
                return;
            QLocalSocket *peer = server.nextPendingConnection();
            QByteArray received;
            while (WindowRequest::parse(received).kind == WindowRequest::Parsed::Incomplete &&
                   peer->waitForReadyRead(10000))
                received += peer->readAll();
            m_request = WindowRequest::parse(received);
            if (reply == Answer) {
                peer->write(WindowRequest::answer());
                peer->waitForBytesWritten(10000);
            }
            if (reply == HangUp)
                peer->abort();
            else
                peer->waitForDisconnected(10000); // the sender closes first
        }));
        m_thread->start();
        while (!m_ready.load())
            QThread::yieldCurrentThread();
    }
    ~StandInWindow() { m_thread->wait(); }

    bool listening() const { return m_listening; }
    // After the sender has ended.
    WindowRequest::Parsed request()
    {
        m_thread->wait();
        return m_request;
    }

private:
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_ready{false};
    bool m_listening = false;
    WindowRequest::Parsed m_request;
};

TEST(WindowRequest, FilesAreHandedOverOnlyWhenTheWindowAnswers)
{
    QTemporaryDir dir;
    const QString socket = dir.path() + "/tavrel.sock";
    const WaitLimit shortLimit{10, 20};

    // Nobody listens: tried at every tick, then given up.
    EXPECT_FALSE(handOverFiles(socket, kPaths, shortLimit));

    {
        StandInWindow window(socket, StandInWindow::Answer);
        ASSERT_TRUE(window.listening());
        EXPECT_TRUE(handOverFiles(socket, kPaths, shortLimit));
        const WindowRequest::Parsed request = window.request();
        EXPECT_EQ(request.kind, WindowRequest::Parsed::Open);
        EXPECT_EQ(request.paths, kPaths);
    }
    {
        // A window that takes the request but never answers: the limit ends the wait.
        StandInWindow window(socket, StandInWindow::Silent);
        EXPECT_FALSE(handOverFiles(socket, kPaths, shortLimit));
        EXPECT_EQ(window.request().paths, kPaths);
    }
    {
        StandInWindow window(socket, StandInWindow::HangUp);
        EXPECT_FALSE(handOverFiles(socket, kPaths, WaitLimit{10, -1})); // no limit: the hang-up ends it
    }
}

} // namespace
