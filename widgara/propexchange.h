#pragma once
// Property exchange: how command-bar controls write their settings into a
// key/value store and read them back (customised toolbars, cloned bars).
// One object either stores or loads; the PX_ functions work both ways, so a
// control's DoPropExchange is a single list of keys.

#include <QString>
#include <QVariantMap>

class CXTPPropExchange {
public:
    // A storing exchange that starts empty.
    CXTPPropExchange() = default;
    // A loading exchange over what an earlier storing exchange produced.
    explicit CXTPPropExchange(QVariantMap stored) : m_data(std::move(stored)), m_loading(true) {}

    bool IsStoring() const { return !m_loading; }
    bool IsLoading() const { return m_loading; }

    const QVariantMap& data() const { return m_data; }

    // Stores `value` under `key`, or loads it; a missing or unreadable entry
    // loads `defaultValue` and answers false.
    bool exchange(const QString& key, QVariant& value, const QVariant& defaultValue);

private:
    QVariantMap m_data;
    bool m_loading = false;
};

bool PX_Int(CXTPPropExchange* pPX, const QString& key, int& value, int defaultValue = 0);
bool PX_Double(CXTPPropExchange* pPX, const QString& key, double& value, double defaultValue = 0.0);
bool PX_Bool(CXTPPropExchange* pPX, const QString& key, bool& value, bool defaultValue = false);
bool PX_String(CXTPPropExchange* pPX, const QString& key, QString& value,
               const QString& defaultValue = {});
