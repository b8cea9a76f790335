// Window subclassing for the skin controls: a control asks to see chosen events of a
// window before the window handles them (and may swallow them) or after it has handled
// them (and may change the result). Each control kind carries its own instance: the
// frame's tables are fixed at MSG_ENTRIES and report misuse; the button's tables grow
// and stay silent.
#pragma once
#include "skin/subclassing/message_table.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QEvent;
class QWidget;

namespace skin {

// How a hook sits in Qt's delivery: one event filter per hooked window, shared by every
// Subclasser that hooks it. Before-handlers run inside that filter; a suppressing one ends
// the delivery. For a message in an after table the filter runs the window's own event()
// itself, hands the result to the after-handlers and ends the delivery, so event filters
// installed on the window before the hook do not see that message.
//
// What a handler receives: before or after the window's own handling, the flag by which a
// before-handler suppresses that handling, the result (the value the event dispatch
// returns, which an after-handler may replace), the window and the event.
struct SubclassCall
{
    bool before = true;
    bool suppress = false;
    bool result = false;
    QWidget *window = nullptr;
    QEvent *event = nullptr;
};

using SubclassHandler = std::function<void(SubclassCall &call)>;

struct HookRecord
{
    QPointer<QWidget> window;
    SubclassHandler handler;
    MessageTable before;
    MessageTable after;
    bool released = false;
};

class Subclasser : public QObject
{
    Q_OBJECT
public:
    enum class Kind {
        Frame, // fixed tables of MSG_ENTRIES, failures reported
        Button // growing tables, nothing reported
    };

    // typeName names the owning control in reports, e.g. "jcForms".
    explicit Subclasser(Kind kind, const QString &typeName, QObject *parent = nullptr);
    ~Subclasser() override;

    bool sc_Subclass(QWidget *window, SubclassHandler handler);
    void sc_UnSubclass(QWidget *window);
    void sc_AddMsg(QWidget *window, int message, int when = MSG_BEFORE);
    void sc_DelMsg(QWidget *window, int message, int when = MSG_AFTER);
    // The hook of a window, or null (reported) when there is none.
    HookRecord *zMap_hWnd(QWidget *window);
    // Removes every hook, the last made first.
    void unsubclassAll();

    bool isSubclassed(QWidget *window) const;
    Kind kind() const { return m_kind; }

    // Receives (type name, operation, message). The default for a Frame instance shows a
    // warning box and writes the system log; tests install their own.
    using Reporter =
        std::function<void(const QString &typeName, const QString &operation, const QString &message)>;
    void setReporter(Reporter reporter) { m_reporter = std::move(reporter); }
    static void defaultReporter(const QString &typeName, const QString &operation, const QString &message);

private:
    void report(const QString &operation, const QString &message);
    void zAddMsg(int message, MessageTable &table);
    void zDelMsg(int message, MessageTable &table);
    // Adds a message to, or removes it from, the tables that when names (before, after, both).
    using TableChange = void (Subclasser::*)(int message, MessageTable &table);
    void changeTables(QWidget *window, int message, int when, TableChange change);
    std::shared_ptr<HookRecord> find(QWidget *window) const;
    void drop(const std::shared_ptr<HookRecord> &record);

    Kind m_kind;
    QString m_typeName;
    Reporter m_reporter;
    bool m_started = false;
    QList<std::shared_ptr<HookRecord>> m_records; // in the order the hooks were made
};

} // namespace skin
