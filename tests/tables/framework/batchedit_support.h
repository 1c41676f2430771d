#pragma once
// A sheet of bar-list lines for the batch-edit tests: bars on shapes of the
// default library, a few rows a page, undo steps counted.

#include "tables/barlist/setuptableline.h"
#include "tables/framework/tablebase.h"

#include "core/model/steel.h"
#include "envora/settings.h"

#include <gtest/gtest.h>

#include <functional>

namespace test {

// The straight bar of the default library, and its stirrup.
inline const CSteelRecordId kStraightBar(190, 1);
inline const CSteelRecordId kStirrup(192, 1);

class BarTable : public CVes_TableBase {
public:
    explicit BarTable(int rowsPerPage = 4) { m_rowNum = rowsPerPage; }

    void AddUndo() override { ++m_undoSteps; }

    // A bar line on `key` with diameter `d` and grade `grade`; `edit` may
    // change the bar before the line takes it.
    CVes_SetupTableLine* addBar(float d = 10.0f, int grade = 1,
                                const std::function<void(CVes_Steel&)>& edit = {},
                                CSteelRecordId key = kStraightBar)
    {
        CVes_Steel bar;
        bar.setRecordId(key);
        bar.setDN(d);
        bar.grade = grade;
        bar.number = QStringLiteral("1");
        bar.count = 4;
        bar.remark = QStringLiteral("备注");
        if (edit)
            edit(bar);
        auto* line = new CVes_SetupTableLine();
        line->setSteel(&bar);
        appendLine(line);
        return line;
    }
    // An empty filler bar line, as the bar list pads its last page with.
    CVes_SetupTableLine* addEmptyBar(float d = 10.0f, int grade = 1)
    {
        CVes_SetupTableLine* line = addBar(d, grade);
        line->setNull(1);
        return line;
    }
    CVes_SetupTableLine* addTextLine()
    {
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kTextLine));
        appendLine(line);
        return line;
    }

    // Shows page `page` and selects the given positions on it; the flags
    // start cleared.
    void show(int page, std::initializer_list<int> selected)
    {
        setPageTo(page, 1);
        clearSelect();
        for (int n : selected)
            AddSelect(n, 0);
        clearFlags();
    }
    void clearFlags()
    {
        setModified(0);
        setSortSteel(0);
        setYouhuaSteel(0);
        m_undoSteps = 0;
    }
    // 1 when the edit marked the table changed and both derived sheets stale.
    bool edited() const
    {
        return isModified() == 1 && isCanSortSteel() == 1 && isCanYouhuaSteel() == 1;
    }
    bool untouched() const
    {
        return isModified() == 0 && isCanSortSteel() == 0 && isCanYouhuaSteel() == 0
            && m_undoSteps == 0;
    }

    CVes_SetupTableLine* line(int index) const
    {
        return static_cast<CVes_SetupTableLine*>(m_lines.value(index));
    }
    CVes_Steel& bar(int index) const { return *line(index)->getSetupSteel(); }

    int m_undoSteps = 0;
};

// Sets the user's copy-from-previous-row bits for the scope's lifetime.
class ContentScope {
public:
    explicit ContentScope(int bits) : m_old(envora::settings()->habits.content)
    {
        set(bits);
    }
    ~ContentScope() { set(m_old); }
    ContentScope(const ContentScope&) = delete;
    ContentScope& operator=(const ContentScope&) = delete;

private:
    static void set(int bits)
    {
        EXPECT_TRUE(envora::updateSettings([bits](envora::Settings& s) { s.habits.content = bits; }));
    }
    int m_old;
};

} // namespace test
