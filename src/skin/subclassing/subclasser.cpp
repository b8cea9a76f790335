#include "skin/subclassing/subclasser.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QThread>
#include <QWidget>
#include <syslog.h>

namespace skin {
// ---------------------------------------------------------------------------------------
// One dispatcher per hooked window, shared by every instance that hooks it, so that a
// frame and a button hooking the same window both see its events in order.

namespace {

class Dispatcher : public QObject
{
public:
    explicit Dispatcher(QWidget *window) : QObject(window) { window->installEventFilter(this); }

    static Dispatcher *of(QWidget *window, bool create)
    {
        for (QObject *child : window->children()) {
            if (auto *d = dynamic_cast<Dispatcher *>(child))
                return d;
        }
        return create ? new Dispatcher(window) : nullptr;
    }

    void attach(const std::shared_ptr<HookRecord> &record) { m_hooks.append(record); }

    void detach(const std::shared_ptr<HookRecord> &record)
    {
        m_hooks.removeAll(record);
        if (m_hooks.isEmpty() && m_depth == 0)
            retire();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWidget *>(watched);
        if (!window || m_hooks.isEmpty())
            return false;
        const int type = event->type();
        const auto hooks = m_hooks; // handlers may hook or unhook while we run
        QPointer<QWidget> alive(window);
        QPointer<Dispatcher> self(this);
        ++m_depth;

        auto live = [&](const std::shared_ptr<HookRecord> &r) { return alive && !r->released && r->handler; };

        bool wantAfter = false;
        bool suppressed = false;
        for (const auto &r : hooks) {
            if (live(r) && r->before.matches(type)) {
                SubclassCall call;
                call.before = true;
                call.window = window;
                call.event = event;
                r->handler(call);
                if (call.suppress) {
                    suppressed = true;
                    break;
                }
            }
            if (live(r) && r->after.matches(type))
                wantAfter = true;
        }

        bool handled = suppressed;
        if (!suppressed && wantAfter && alive) {
            // The window's own handling runs here, so that after-handlers see its result.
            bool result = static_cast<QObject *>(window)->event(event);
            for (const auto &r : hooks) {
                if (live(r) && r->after.matches(type)) {
                    SubclassCall call;
                    call.before = false;
                    call.result = result;
                    call.window = window;
                    call.event = event;
                    r->handler(call);
                    result = call.result;
                }
            }
            handled = true;
        }

        if (self) {
            --m_depth;
            if (m_hooks.isEmpty() && m_depth == 0)
                retire();
        }
        return handled;
    }

private:
    void retire()
    {
        if (auto *w = qobject_cast<QWidget *>(parent()))
            w->removeEventFilter(this);
        deleteLater();
        setParent(nullptr);
    }

    QList<std::shared_ptr<HookRecord>> m_hooks;
    int m_depth = 0;
};

} // namespace

// ---------------------------------------------------------------------------------------
// The facility

Subclasser::Subclasser(Kind kind, const QString &typeName, QObject *parent)
    : QObject(parent), m_kind(kind), m_typeName(typeName)
{
    if (m_kind == Kind::Frame)
        m_reporter = &Subclasser::defaultReporter;
}

Subclasser::~Subclasser()
{
    unsubclassAll();
}

void Subclasser::defaultReporter(const QString &typeName, const QString &operation, const QString &message)
{
    const QString where = typeName + QLatin1Char('.') + operation;
    syslog(LOG_ERR, "%s", (where + QStringLiteral(": ") + message).toUtf8().constData());
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QMessageBox::warning(nullptr, QStringLiteral("Error in ") + where, message + QLatin1Char('.'));
}

void Subclasser::report(const QString &operation, const QString &message)
{
    if (m_kind == Kind::Frame && m_reporter)
        m_reporter(m_typeName, operation, message);
}

std::shared_ptr<HookRecord> Subclasser::find(QWidget *window) const
{
    for (const auto &r : m_records) {
        if (r->window == window && !r->released)
            return r;
    }
    return nullptr;
}

bool Subclasser::isSubclassed(QWidget *window) const
{
    return window && find(window) != nullptr;
}

bool Subclasser::sc_Subclass(QWidget *window, SubclassHandler handler)
{
    const QString op = QStringLiteral("sc_Subclass");
    if (!window) {
        report(op, QStringLiteral("Invalid window handle"));
        return false;
    }
    // Qt keeps widgets on the GUI thread; the check guards a caller on another thread.
    if (window->thread() != QThread::currentThread()) {
        report(op, QStringLiteral("Window handle belongs to another process"));
        return false;
    }
    if (!handler) {
        report(op, QStringLiteral("Callback method not found"));
        return false;
    }
    if (find(window)) {
        report(op, QStringLiteral("Window handle is already subclassed"));
        return false;
    }
    m_started = true;
    const int capacity = m_kind == Kind::Frame ? MSG_ENTRIES : -1;
    auto record = std::make_shared<HookRecord>(
        HookRecord{window, std::move(handler), MessageTable(capacity), MessageTable(capacity), false});
    m_records.append(record);
    Dispatcher::of(window, true)->attach(record);
    // A window that goes away takes its hook with it.
    std::weak_ptr<HookRecord> weak = record;
    connect(window, &QObject::destroyed, this, [this, weak] {
        if (auto r = weak.lock()) {
            r->released = true;
            m_records.removeAll(r);
        }
    });
    return true;
}

void Subclasser::drop(const std::shared_ptr<HookRecord> &record)
{
    record->released = true;
    record->before.clear();
    record->after.clear();
    if (record->window) {
        disconnect(record->window, &QObject::destroyed, this, nullptr);
        if (auto *d = Dispatcher::of(record->window, false))
            d->detach(record);
    }
    m_records.removeAll(record);
}

void Subclasser::sc_UnSubclass(QWidget *window)
{
    auto record = find(window);
    if (!record) {
        report(QStringLiteral("sc_UnSubclass"), QStringLiteral("Window handle isn't subclassed"));
        return;
    }
    drop(record);
}

void Subclasser::unsubclassAll()
{
    while (!m_records.isEmpty())
        drop(m_records.last());
}

HookRecord *Subclasser::zMap_hWnd(QWidget *window)
{
    const QString op = QStringLiteral("zMap_hWnd");
    if (!m_started) {
        report(op, QStringLiteral("Subclassing hasn't been started"));
        return nullptr;
    }
    auto record = find(window);
    if (!record) {
        report(op, QStringLiteral("Window handle isn't subclassed"));
        return nullptr;
    }
    return record.get();
}

void Subclasser::sc_AddMsg(QWidget *window, int message, int when)
{
    changeTables(window, message, when, &Subclasser::zAddMsg);
}

void Subclasser::sc_DelMsg(QWidget *window, int message, int when)
{
    changeTables(window, message, when, &Subclasser::zDelMsg);
}

void Subclasser::changeTables(QWidget *window, int message, int when, TableChange change)
{
    HookRecord *record = zMap_hWnd(window);
    if (!record)
        return;
    if (when & MSG_BEFORE)
        (this->*change)(message, record->before);
    if (when & MSG_AFTER)
        (this->*change)(message, record->after);
}

void Subclasser::zAddMsg(int message, MessageTable &table)
{
    if (table.add(message) == MessageTable::AddResult::Overflow)
        report(QStringLiteral("zAddMsg"),
               QStringLiteral("Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
                              "ALL_MESSAGES instead of specific message values"));
}

void Subclasser::zDelMsg(int message, MessageTable &table)
{
    if (!table.remove(message))
        report(QStringLiteral("zDelMsg"), QStringLiteral("Message &H") +
                                              QString::number(message, 16).toUpper() +
                                              QStringLiteral(" not found in table"));
}

} // namespace skin
