// The skinner's shared state: the hooks, the record of every skinned widget and the cached
// images. One per application, made by the first start.
#pragma once

#include "skin/skinner/skin_images.h"
#include "skin/skinner/skin_record.h"
#include "skin/subclassing/subclasser.h"

#include <QHash>
#include <QObject>
#include <memory>
#include <optional>

namespace skin {

class SkinnerState : public QObject
{
public:
    static SkinnerState *instance(bool create);

    void prepare();
    bool skin(QWidget *widget);
    void unskin(QWidget *widget);
    SkinRecord *record(const QWidget *widget) const { return m_records.value(widget).get(); }
    int count() const { return int(m_records.size()); }
    const SkinImages *images() const { return m_images ? &*m_images : nullptr; }

private:
    explicit SkinnerState(QObject *parent) : QObject(parent) {}
    void setUp(SkinRecord &r);
    void putBack(SkinRecord &r);
    void hook(QWidget *widget, SkinKind kind);
    void forget(const QObject *widget);
    void skinWhenShown(QWidget *widget);
    void freeWhenUnused();

    // The shared hook of every skinned widget (skin_window_proc.cpp).
    void SkinWindowProc(SubclassCall &call);
    void reach(SkinRecord &r, SubclassCall &call);
    void pushButtonEvent(SkinRecord &r, SubclassCall &call);
    void comboEvent(SkinRecord &r, SubclassCall &call);
    void checkEvent(SkinRecord &r, SubclassCall &call);
    void progressEvent(SkinRecord &r, SubclassCall &call);
    void headerEvent(SkinRecord &r, SubclassCall &call);
    void listEvent(SkinRecord &r, SubclassCall &call);

    Subclasser m_hooks{Subclasser::Kind::Button, QStringLiteral("MSkinner")};
    QHash<const QWidget *, std::shared_ptr<SkinRecord>> m_records;
    std::optional<SkinImages> m_images;
};

} // namespace skin
