#include "tables/shared/sumhelpers.h"

#include "core/geometry/datafolder.h"
#include "core/model/midconnect.h"
#include "platform/saturate.h"
#include "tables/framework/template.h"

#include <algorithm>
#include <cmath>

namespace barsum {

namespace {

// Bars of this shape library are bar groups: their joints are not counted.
constexpr int kFirstCouplerStyle = 7;

using platform::saturatedAdd;
using platform::saturatedMul;

// The bar's second intermediate connection stands for its reverse-thread
// couplers: the first connection's coupler, counted, with the reverse
// thread. A bar that had none gets it with the count; one it had keeps a
// count typed by hand unless the first connection counts automatically.
void countReverseCouplers(CVes_BarCore& bar, int extra)
{
    const bool made = bar.getMidConnectArray().size() < 2;
    const CVes_MidConnect& first = *bar.getFirstMidConnect();
    CVes_MidConnect* reverse = bar.getSecendMidConnect();
    if (made)
        *reverse = first;
    reverse->style = first.style;
    reverse->stat = first.stat;
    reverse->fixedLength = first.fixedLength;
    reverse->valueC = 0;
    if (made || first.autoCount)
        reverse->countText = QString::number(extra);
}

} // namespace

void singleSteelAmount(CVes_BarCore* bar, int pieces, const CVes_SortRules& rules, int shapeUnit,
                       double& length, std::int64_t& count, std::int64_t& midFactor)
{
    if (!bar)
        return;
    const double toShape = CVes_Template::transUnit(CVes_Template::kMillimetre, shapeUnit);
    const double toMetre = CVes_Template::transUnit(shapeUnit, CVes_Template::kMetre);
    const bool autoMid = rules.m_autoMidConnect != 0;
    const bool reverseSleeve = rules.m_reverseSleeve != 0;

    const bool grouped = bar->isSteelGroup() || bar->getRecordId().m_mainId == CSteelRecordId::kGroupLibrary;
    CVes_MidConnect* c = bar->getFirstMidConnect();
    const bool counting = c->stat != 0;
    const bool coupler = c->style == 7 || c->style == 8;
    const int k = bar->count;
    int mid = 0;
    int extra = 0;
    // A coupler joint between bars of opposite threads needs one reverse-
    // thread coupler in place of a plain one.
    const auto couplerRule = [&](int m) {
        if (m > 1 && reverseSleeve && coupler) {
            ++extra;
            return m - 1;
        }
        return m;
    };

    if (bar->isMultiVal()) {
        const int n = bar->getMultiGroup();
        const double a = bar->getLength(0, toShape);
        const double z = bar->getLength(1, toShape);
        const double step = n > 1 ? std::fabs(z - a) / (n - 1) : 0.0;
        count = barCount(*bar, pieces);
        length = (a + z) * k * n * pieces * toMetre * 0.5;
        if (grouped) {
            midFactor = count;
            return;
        }
        if (counting && autoMid) {
            const int na = c->autoCalNum(truncated(a / toShape));
            const int nz = c->autoCalNum(truncated(z / toShape));
            if (na == nz) {
                if (nz > 1 && reverseSleeve && coupler) {
                    mid = saturatedMul(nz - 1, n);
                    extra = n;
                } else {
                    mid = saturatedMul(nz, n);
                }
            } else {
                const double base = std::min(a, z);
                for (int i = 1; i <= n - 2; ++i)
                    mid = saturatedAdd(
                        mid, couplerRule(c->autoCalNum(truncated((i * step + base) / toShape))));
                mid = saturatedAdd(mid, saturatedAdd(couplerRule(na), couplerRule(nz)));
            }
            midFactor = std::int64_t(k) * pieces;
        }
    } else {
        const double L = bar->calcLength && !bar->isShapeMissing() ? bar->getLength(0, toShape)
                                                                    : double(bar->length);
        length = double(k) * pieces * L * toMetre;
        count = midFactor = barCount(*bar, pieces);
        if (grouped)
            return;
        const int lmm = truncated(L / toShape);
        if (counting && lmm > c->fixedLength && autoMid) {
            mid = c->autoCalNum(lmm);
            if (c->style >= kFirstCouplerStyle && mid > 1 && reverseSleeve) {
                --mid;
                extra = 1;
            }
        }
    }
    if (grouped)
        return;

    if (counting && autoMid) {
        c->countText = QString::number(mid);
        if (extra > 0) {
            countReverseCouplers(*bar, extra);
            return;
        }
    } else if (c->autoCount) {
        c->countText = QStringLiteral("0");
    }
    // Only the first connection is kept when no reverse-thread coupler is due.
    if (bar->getMidConnectArray().size() > 1) {
        const CVes_MidConnect keep = *c;
        bar->clearMidConnectArray();
        *bar->getFirstMidConnect() = keep;
    }
}

void forEachSize(SumLengthItems& items, int dnOrder, CVes_SteelYuanCaiDataLib& own,
                 const SizeVisit& visit)
{
    CVes_SteelYuanCaiDataLib stockFile;
    stockFile.readFile(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));
    sortLengths(items, dnOrder);
    int number = 1;
    for (const CVes_SumLengthItem& item : items)
        visit(item, number++,
              *stockRecord(own, stockFile, item));
}

MetreUnits metreUnits(int shapeUnit, int weightUnit)
{
    return {CVes_Template::transUnit(CVes_Template::kMillimetre, shapeUnit),
            CVes_Template::transUnit(shapeUnit, CVes_Template::kMetre),
            CVes_Template::transUnit(CVes_Template::kKilogram, weightUnit),
            CVes_Template::transUnit(CVes_Template::kTonne, weightUnit)};
}

} // namespace barsum
