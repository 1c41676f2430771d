#include "tables/framework/barnumbering.h"

#include "core/model/barcore.h"
#include "core/model/samebarindex.h"

#include <algorithm>
#include <limits>

namespace barnumbering {

namespace {

// The numbered bars an unnumbered bar may take its number from.
class Pool {
public:
    void add(CVes_BarCore* bar, const QString& number)
    {
        m_index.add(SameBarIndex::keyOf(*bar), m_bars.size());
        m_bars.push_back({bar, number});
    }
    void clear()
    {
        m_index.clear();
        m_bars.clear();
    }
    // The number of the first kept bar equal to `bar`; empty for none.
    QString numberOfSame(CVes_BarCore& bar) const
    {
        for (const std::size_t i : m_index.candidates(SameBarIndex::keyOf(bar))) {
            if (m_bars[i].bar != &bar && bar.isSame(*m_bars[i].bar))
                return m_bars[i].number;
        }
        return {};
    }

private:
    struct Kept {
        CVes_BarCore* bar;
        QString number;
    };
    SameBarIndex m_index;
    std::vector<Kept> m_bars;
};

} // namespace

qint64 leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    qint64 value = 0;
    constexpr qint64 limit = std::numeric_limits<int>::max();
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min(limit, value * 10 + (text[i].unicode() - u'0'));
    return negative ? -value : value;
}

bool hasNoNumber(const QString& number)
{
    return number.isEmpty() || number == QLatin1String("0");
}

std::vector<QString> numbers(const std::vector<Row>& rows, const Switches& switches)
{
    std::vector<QString> result(rows.size());
    qint64 counter = 0;
    Pool pool;
    // Numbering only the bars without one goes on from the highest number
    // kept, and every numbered bar of the sheet may give its number.
    if (!switches.renumberAll) {
        for (const Row& row : rows) {
            if (row.bar && !hasNoNumber(row.bar->number)) {
                counter = std::max(counter, leadingNumber(row.bar->number));
                if (switches.shareSame)
                    pool.add(row.bar, row.bar->number);
            }
        }
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        CVes_BarCore* bar = rows[i].bar;
        if (!bar) {
            if (!switches.continuous) {
                counter = 0;
                pool.clear();
            }
            continue;
        }
        if (!switches.renumberAll && !hasNoNumber(bar->number)) {
            result[i] = bar->number;
            continue;
        }
        if (switches.shareSame) {
            if (const QString same = pool.numberOfSame(*bar); !same.isEmpty()) {
                result[i] = same;
                continue;
            }
        }
        result[i] = QString::number(++counter);
        if (switches.shareSame)
            pool.add(bar, result[i]);
    }
    return result;
}

} // namespace barnumbering
