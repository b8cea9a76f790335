#include "windows/common/url_opener.h"

#include <QDesktopServices>

namespace UrlOpener {

namespace {
ScopedFake *g_fake = nullptr;
}

bool open(const QUrl &url)
{
    if (g_fake) {
        g_fake->m_opened << url;
        return g_fake->m_succeed;
    }
    return QDesktopServices::openUrl(url);
}

ScopedFake::ScopedFake(bool succeed) : m_succeed(succeed), m_previous(g_fake)
{
    g_fake = this;
}

ScopedFake::~ScopedFake()
{
    g_fake = m_previous;
}

} // namespace UrlOpener
