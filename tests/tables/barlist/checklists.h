#pragma once
// Small made-up bar lists full of what a check of a list looks for: numbers
// shared by different bars, equal bars with other numbers, typed lengths a
// little off the shape's, incomplete and unprocessed bars, graded bars and
// couplers. The same seed always gives the same list.

#include "tables/barlist/setuptable.h"

#include <random>
#include <vector>

namespace test {

struct CheckShape {
    CSteelRecordId key;
    std::vector<const char*> vars;
};

inline const CheckShape kCheckShapes[] = {
    {{190, 1}, {"L"}},
    {{191, 1}, {"L1", "L2"}},
    {{192, 1}, {"H", "B"}},
};

// A list of the seed: three elements of five to eight bars, pages of ten rows,
// the bars drawn from six kinds with few sizes and dimensions, so that
// equal shapes, equal numbers and near lengths meet often.
class CheckList {
public:
    explicit CheckList(unsigned seed) : m_rng(seed) {}

    void fill(CVes_SetupTable& list)
    {
        list.clearnAllLine();
        list.m_rowNum = 10;
        std::vector<CVes_Steel> kinds(6);
        for (std::size_t i = 0; i < kinds.size(); ++i)
            kinds[i] = kind(int(i) + 1);
        for (int e = 0; e < 3; ++e) {
            auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
            element->setNull(0);
            element->setElement(QStringLiteral("KL%1").arg(e + 1));
            element->setEleNum(1 + below(3));
            list.appendLine(element);
            for (int i = 5 + below(4); i > 0; --i) {
                if (below(12) == 0)
                    list.appendLine(new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine)));
                list.Add(variant(kinds[std::size_t(below(int(kinds.size())))]));
            }
        }
        list.refreshCurPage();
    }

private:
    int below(int n) { return int(m_rng() % unsigned(n)); }

    CVes_Steel kind(int number)
    {
        CVes_Steel bar;
        const CheckShape& shape = kCheckShapes[below(int(std::size(kCheckShapes)))];
        bar.setRecordId(shape.key);
        bar.setDN(below(2) ? 12.0f : 14.0f);
        bar.grade = below(3) ? 3 : 1;
        for (const char* name : shape.vars)
            bar.setVarValue(QString::fromUtf8(name), below(2) ? 3000.0 : 3500.0);
        if (below(5) == 0) {
            bar.setMultiVal(1);
            bar.setMultiGroup(3);
            bar.setVarValueE(QString::fromUtf8(shape.vars[0]), 4000.0);
        }
        if (below(4) == 0) {
            CVes_Connect* start = bar.getLConnect();
            start->type = 8;
            start->flag = 1;
            start->farDN = bar.DN;
        }
        bar.count = 1 + below(4);
        bar.number = QString::number(number);
        bar.getFirstMidConnect()->stat = 0;
        return bar;
    }

    // A row of a kind, sometimes with another number, a typed length near
    // the computed one, a flaw that makes it incomplete, or left out of
    // processing.
    CVes_Steel variant(const CVes_Steel& of)
    {
        CVes_Steel bar(of);
        switch (below(16)) {
        case 0:
            bar.number = QString::number(1 + below(12));
            break;
        case 1:
        case 5:
        case 6: {
            static const float kOffsets[] = {0.0f, -0.04f, -0.04f, 0.6f};
            bar.calcLength = 0;
            bar.length = CVes_Steel(of).calculateLength(0, 1.0) + kOffsets[below(4)];
            break;
        }
        case 2:
        case 3:
            if (below(2))
                bar.count = 0;
            else
                bar.number = QStringLiteral("0");
            break;
        case 4:
            bar.setProcess(0);
            break;
        default:
            break;
        }
        return bar;
    }

    std::mt19937 m_rng;
};

} // namespace test
