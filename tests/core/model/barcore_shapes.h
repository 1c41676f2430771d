#pragma once
// Bar shapes for the bar tests, built the way the shape editor builds them,
// and a scope that puts them into the cache of used shapes and the rule
// settings back to the defaults afterwards.

#include "core/model/modelrecord.h"
#include "core/model/recordcache.h"
#include "envora/settings.h"

#include <QPoint>
#include <QString>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace test {

class ShapeBuilder {
public:
    explicit ShapeBuilder(CSteelRecordId key) : m_record(std::make_unique<CVes_ModelRecord>())
    {
        m_record->m_id = key;
    }

    // A dimension the user gives (kind 2), or a computed one (kind 1).
    ShapeBuilder& var(const QString& name, double value, unsigned int unit = 0)
    {
        CVes_Variable* v = m_record->AddVar(name, 700, 100, 60, 6, 0, 0xFF0000);
        v->m_value = v->m_value2 = value;
        v->m_unit = unit;
        return *this;
    }
    ShapeBuilder& computed(const QString& name, const QString& formula)
    {
        m_record->AddVar(name, CVes_Variable::kComputed, formula, 700, 200, 60, 6, 0, 0xFF0000);
        return *this;
    }
    ShapeBuilder& from(QPoint p)
    {
        m_at = p;
        return *this;
    }
    // A straight side from the last end to `to`, with its angle and length
    // formulas.
    ShapeBuilder& straight(QPoint to, const QString& angle, const QString& length)
    {
        CVes_Side* side = m_record->AddLSide(m_at.x(), m_at.y(), to.x(), to.y(), 1, 0, 0x0000FF);
        side->m_angleText = angle;
        side->m_lengthText = length;
        m_at = to;
        return *this;
    }
    ShapeBuilder& arc(QPoint to, QPoint through, const QString& angle, const QString& length)
    {
        CVes_Side* side = m_record->AddArcSide(m_at.x(), m_at.y(), to.x(), to.y(), through.x(),
                                               through.y(), 1, 0, 0x0000FF);
        side->m_angleText = angle;
        side->m_lengthText = length;
        m_at = to;
        return *this;
    }
    // Splits the straight side through `at` with a connection mark; the side
    // after the mark takes the given formulas.
    ShapeBuilder& mark(int type, QPoint at, const QString& count, const QString& angle,
                       const QString& length)
    {
        CVes_Side* mark = m_record->AddConnect(unsigned(type), at.x(), at.y(), count);
        EXPECT_NE(mark, nullptr);
        for (size_t i = 0; i + 1 < m_record->m_arrSide.size(); ++i) {
            if (m_record->m_arrSide[i].get() == mark) {
                m_record->m_arrSide[i + 1]->m_angleText = angle;
                m_record->m_arrSide[i + 1]->m_lengthText = length;
            }
        }
        return *this;
    }
    // Hook kinds: 0 none, 1 90°, 2 135°, 4 180°.
    ShapeBuilder& hooks(int left, int right)
    {
        m_record->m_hookLeft.enabled = left ? 1 : 0;
        m_record->m_hookRight.enabled = right ? 1 : 0;
        if (left)
            m_record->m_hookLeft.kind = left;
        if (right)
            m_record->m_hookRight.kind = right;
        return *this;
    }
    ShapeBuilder& stirrup()
    {
        m_record->m_stirrup = 1;
        return *this;
    }
    ShapeBuilder& text(const QString& text)
    {
        m_record->AddText(text, 700, 40, 60, 6, 0, 0, 1);
        return *this;
    }

    std::unique_ptr<CVes_ModelRecord> build()
    {
        m_record->calculateSideLen(0);
        return std::move(m_record);
    }

private:
    std::unique_ptr<CVes_ModelRecord> m_record;
    QPoint m_at{100, 150};
};

// Puts records into the cache of used shapes for the test's duration and
// starts from the default rule settings; everything is undone at the end.
class CacheScope {
public:
    CacheScope()
    {
        clearTheUseRecordArray();
        resetRules();
    }
    ~CacheScope()
    {
        clearTheUseRecordArray();
        resetRules();
    }
    CacheScope(const CacheScope&) = delete;
    CacheScope& operator=(const CacheScope&) = delete;

    CVes_ModelRecord* add(std::unique_ptr<CVes_ModelRecord> record)
    {
        return useModelCache().add(*record);
    }

    static void resetRules(const std::function<void(envora::Settings&)>& edit = {})
    {
        QString error;
        const bool ok = envora::updateSettings(
            [&](envora::Settings& s) {
                s = envora::Settings::defaults();
                if (edit)
                    edit(s);
            },
            &error);
        EXPECT_TRUE(ok) << error.toStdString();
    }
};

} // namespace test
