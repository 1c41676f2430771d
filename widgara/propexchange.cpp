#include "widgara/propexchange.h"

bool CXTPPropExchange::exchange(const QString& key, QVariant& value, const QVariant& defaultValue)
{
    if (IsStoring()) {
        m_data.insert(key, value);
        return true;
    }
    const auto it = m_data.constFind(key);
    if (it == m_data.constEnd() || !it->canConvert(defaultValue.metaType())) {
        value = defaultValue;
        return false;
    }
    value = *it;
    return true;
}

namespace {

template <typename T>
bool exchangeAs(CXTPPropExchange* pPX, const QString& key, T& value, const T& defaultValue,
                bool (*read)(const QVariant&, T&))
{
    QVariant v = QVariant::fromValue(value);
    if (pPX->IsStoring())
        return pPX->exchange(key, v, v);
    if (!pPX->exchange(key, v, QVariant::fromValue(defaultValue)) || !read(v, value)) {
        value = defaultValue;
        return false;
    }
    return true;
}

bool readInt(const QVariant& v, int& out)
{
    bool ok = false;
    const int n = v.toInt(&ok);
    if (ok)
        out = n;
    return ok;
}

bool readDouble(const QVariant& v, double& out)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok)
        out = d;
    return ok;
}

bool readBool(const QVariant& v, bool& out)
{
    out = v.toBool();
    return true;
}

bool readString(const QVariant& v, QString& out)
{
    out = v.toString();
    return true;
}

} // namespace

bool PX_Int(CXTPPropExchange* pPX, const QString& key, int& value, int defaultValue)
{
    return exchangeAs(pPX, key, value, defaultValue, readInt);
}

bool PX_Double(CXTPPropExchange* pPX, const QString& key, double& value, double defaultValue)
{
    return exchangeAs(pPX, key, value, defaultValue, readDouble);
}

bool PX_Bool(CXTPPropExchange* pPX, const QString& key, bool& value, bool defaultValue)
{
    return exchangeAs(pPX, key, value, defaultValue, readBool);
}

bool PX_String(CXTPPropExchange* pPX, const QString& key, QString& value,
               const QString& defaultValue)
{
    return exchangeAs(pPX, key, value, defaultValue, readString);
}
