#include "windows/common/user_notice.h"

#include "windows/common/message_box.h"

#include <QFileInfo>

#include <xcb/xcb.h>

namespace {

bool xDisplayAnswers()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool ok = connection && !xcb_connection_has_error(connection);
    if (connection)
        xcb_disconnect(connection);
    return ok;
}

bool waylandDisplayAnswers()
{
    const QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        return false;
    if (display.startsWith(QLatin1Char('/')))
        return QFileInfo::exists(display);
    return QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + display);
}

} // namespace

bool screenlessPlatform()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.startsWith("offscreen") || platform.startsWith("minimal");
}

bool displayUsable()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (screenlessPlatform())
        return true;
    if (platform.startsWith("wayland"))
        return waylandDisplayAnswers();
    if (platform.isEmpty() || platform.startsWith("xcb"))
        return xDisplayAnswers() || (platform.isEmpty() && waylandDisplayAnswers());
    return true; // a platform asked for by name (eglfs, vnc, ...): let it try
}

void showStartupNotice(QWidget *owner, const QString &title, const QString &text, int style)
{
    dwMessageBox(text, style, title, owner);
}
