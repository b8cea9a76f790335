#include "skin/common/property_bag.h"

namespace skin {

QVariant PropertyBag::read(const QString &name, const QVariant &defaultValue) const
{
    const auto it = m_values.constFind(name);
    if (it == m_values.constEnd() || !it->isValid())
        return defaultValue;
    if (!defaultValue.isValid())
        return *it;
    QVariant v = *it;
    // A value that does not convert to the expected type counts as missing.
    if (v.metaType() != defaultValue.metaType() && !v.convert(defaultValue.metaType()))
        return defaultValue;
    return v;
}

void PropertyBag::write(const QString &name, const QVariant &value, const QVariant &defaultValue)
{
    if (value == defaultValue)
        m_values.remove(name);
    else
        m_values.insert(name, value);
}

} // namespace skin
