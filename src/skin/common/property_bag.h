// The stored design data of a control: named values, each with a default. Reading gives
// the default for a missing name; writing leaves out a value equal to its default, so the
// stored data holds only what differs.
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace skin {

class PropertyBag
{
public:
    PropertyBag() = default;
    explicit PropertyBag(const QVariantMap &stored) : m_values(stored) {}
    PropertyBag(const PropertyBag &) = default;
    PropertyBag &operator=(const PropertyBag &) = default;
    virtual ~PropertyBag() = default;

    // The stored value converted to the default's type, or the default. Every read of a control's
    // properties comes through here, so a bag that records them sees the order they are read in.
    virtual QVariant read(const QString &name, const QVariant &defaultValue) const;
    template <typename T> T read(const QString &name, const T &defaultValue) const
    {
        return read(name, QVariant::fromValue(defaultValue)).template value<T>();
    }

    // Stores the value, or removes the name when the value equals the default.
    void write(const QString &name, const QVariant &value, const QVariant &defaultValue);
    template <typename T> void write(const QString &name, const T &value, const T &defaultValue)
    {
        write(name, QVariant::fromValue(value), QVariant::fromValue(defaultValue));
    }

    bool contains(const QString &name) const { return m_values.contains(name); }
    const QVariantMap &values() const { return m_values; }
    void clear() { m_values.clear(); }

private:
    QVariantMap m_values;
};

} // namespace skin
