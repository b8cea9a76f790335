#pragma once

#include "skin/common/property_bag.h"

#include <QStringList>

// Design data that remembers the names read from it, in order: for checking the order in which a
// control reads its properties.
class RecordingPropertyBag : public skin::PropertyBag
{
public:
    using skin::PropertyBag::PropertyBag;
    using skin::PropertyBag::read;

    QVariant read(const QString &name, const QVariant &defaultValue) const override
    {
        m_reads.append(name);
        return skin::PropertyBag::read(name, defaultValue);
    }
    const QStringList &readLog() const { return m_reads; }

private:
    mutable QStringList m_reads;
};
