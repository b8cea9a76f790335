#pragma once

#include <QList>
#include <QUrl>

#include <functional>

class QObject;

// Opens a web address with the desktop's default handler. Tests put a ScopedFake in front of the
// desktop, which records the addresses and answers as told, so no browser is ever started.
namespace UrlOpener {

// Hands the address to the desktop's opener (xdg-open) and returns at once. failed runs later,
// from the event loop, when the page could not be opened: no opener, an opener that could not
// start, or one that started and then ended in failure (no browser, say). It never runs once
// context has gone.
void open(const QUrl &url, QObject *context, const std::function<void()> &failed);

// Stands in for the desktop for as long as it lives; the desktop is used again when it goes.
class ScopedFake
{
public:
    // succeed false: every opening fails, reported from the event loop as the desktop's would be.
    explicit ScopedFake(bool succeed);
    ~ScopedFake();
    ScopedFake(const ScopedFake &) = delete;
    ScopedFake &operator=(const ScopedFake &) = delete;

    const QList<QUrl> &opened() const { return m_opened; }

private:
    friend void open(const QUrl &url, QObject *context, const std::function<void()> &failed);
    bool m_succeed;
    QList<QUrl> m_opened;
    ScopedFake *m_previous;
};

} // namespace UrlOpener
