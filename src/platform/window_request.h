#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How long a hand-over may wait: maxTicks ticks of tickMs each (maxTicks < 0: for ever). Counted
// in ticks so that a caller can make it as short or as long as it likes without a clock.
struct WaitLimit
{
    int tickMs = 50;
    int maxTicks = -1;
};

// What a later start asks of the window instance over the socket beside its claim. A bare
// connection, or any text other than an open request, asks it to raise its window ("raise\n" is
// what a start that was turned away sends). An open request hands it files to add to its list:
// "open\n", then every path followed by a NUL, then one more NUL; the window answers "ok\n" once
// it has the whole list.
namespace WindowRequest {

// The window stops listening to a peer that sends more than this.
constexpr qsizetype kMaxSize = 8 * 1024 * 1024;

QByteArray openMessage(const QStringList &paths);
QByteArray answer();

struct Parsed
{
    enum Kind {
        Incomplete, // an open request (or the start of one) still missing its end
        Raise,
        Open
    };
    Kind kind = Incomplete;
    QStringList paths; // for Open
};

// Reads what a peer sent so far. A peer that ends its connection on an Incomplete request asked
// for a raise.
Parsed parse(const QByteArray &received);

} // namespace WindowRequest

// Hands the files to the window instance listening at socketPath and waits for its answer. While
// nobody listens there yet (a window still starting), the connection is tried again at every
// tick. False when the limit passed without an answer: nothing can be said of the files then.
bool handOverFiles(const QString &socketPath, const QStringList &paths,
                   const WaitLimit &limit = WaitLimit{50, 100});
