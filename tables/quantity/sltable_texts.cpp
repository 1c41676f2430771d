// The texts and amounts of a bar row that the page and the workbook share.

#include "tables/quantity/sltable.h"

#include "core/model/barcore.h"
#include "tables/framework/counttext.h"
#include "tables/framework/lengthtext.h"
#include "tables/framework/tablehelpers.h"
#include "tables/shared/sumhelpers.h"

#include <algorithm>
#include <cmath>

using lengthtext::roundHalfUp;

CVes_SLTable::BarTexts CVes_SLTable::barTexts(CVes_BarCore& bar, int pieces,
                                              bool wholeVaryingTotal) const
{
    const int k3 = shapeUnit();
    const int k4 = m_units.value(kColCutLength, kMillimetre);
    const int k7 = m_units.value(kColTotalLength, kMetre);
    const int k8 = m_units.value(kColTotalWeight, kKilogram);
    const double f0 = transUnit(kMillimetre, k3);
    const double fL4 = transUnit(k3, k4);
    const double fL7 = transUnit(k3, k7);
    const double fM = transUnit(k3, kMetre);
    const double fW = transUnit(kKilogram, k8);

    BarTexts texts;
    const bool varying = bar.isMultiVal() != 0;
    const int groups = bar.getMultiGroup();
    const int count = bar.count;
    const double first = bar.getLength(0, f0);
    // Counts multiply in double: a large project's products pass what an int
    // holds.
    const double perElement = double(pieces) * count;
    double total = 0.0;
    if (varying) {
        const double last = bar.getLength(1, f0);
        const double a = first * fL4;
        const double b = last * fL4;
        const double step = groups > 1 ? std::fabs(b - a) / (groups - 1) : 0.0;
        texts.cutLength = lengthtext::rangeText(a, b, step, k4 == kMetre);
        total = (first + last) * groups * perElement * 0.5;
        if (wholeVaryingTotal)
            total = std::trunc(total);
        texts.count = count <= 0 ? QStringLiteral("0")
                                  : counttext::grouped(groups, count);
        texts.totalCount = counttext::grouped(groups, perElement);
    } else {
        texts.cutLength = lengthtext::number(first * fL4, k4 == kMetre);
        total = double(roundHalfUp(first)) * perElement;
        texts.count = count <= 0 ? QStringLiteral("0") : QString::number(count);
        texts.totalCount = QString::asprintf("%.0f", perElement);
    }
    texts.totalLength = total * fL7;
    texts.weight = barsum::unitWeight(bar.grade, bar.DN) * total * fW * fM;
    texts.remarkBreaks = int(bar.remark.count(QStringLiteral("\r\n")) + bar.remark.count(u'|'));
    texts.remark = remarkText(bar.remark);
    return texts;
}
