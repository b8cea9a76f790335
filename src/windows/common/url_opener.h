#pragma once

#include <QList>
#include <QUrl>

// Opens a web address with the desktop's default handler. Tests put a ScopedFake in front of the
// desktop, which records the addresses and answers as told, so no browser is ever started.
namespace UrlOpener {

// True when the desktop took the address.
bool open(const QUrl &url);

// Stands in for the desktop for as long as it lives; the desktop is used again when it goes.
class ScopedFake
{
public:
    explicit ScopedFake(bool succeed);
    ~ScopedFake();
    ScopedFake(const ScopedFake &) = delete;
    ScopedFake &operator=(const ScopedFake &) = delete;

    const QList<QUrl> &opened() const { return m_opened; }

private:
    friend bool open(const QUrl &url);
    bool m_succeed;
    QList<QUrl> m_opened;
    ScopedFake *m_previous;
};

} // namespace UrlOpener
