// What the texts of a drawn shape stand beside and keep clear of: the lines
// it draws and the sides each dimension measures.

#include "core/model/modelrecord.h"

#include <algorithm>

namespace {

// Whether the formula names the variable (as a whole name, not a part of a
// longer one: "L1" is not in "L12").
bool namesVariable(const QString& formula, const QString& name)
{
    if (name.isEmpty())
        return false;
    const auto isNamePart = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    for (qsizetype at = formula.indexOf(name); at >= 0; at = formula.indexOf(name, at + 1)) {
        const qsizetype end = at + name.size();
        if ((at == 0 || !isNamePart(formula[at - 1]))
            && (end == formula.size() || !isNamePart(formula[end])))
            return true;
    }
    return false;
}

} // namespace

ShapeTextFrame::Outline CVes_ModelRecord::textOutline(double scale, int x, int y,
                                                      unsigned int mirrorFlags) const
{
    const QPoint mid(m_rectW / 2, m_rectH / 2);
    ShapeTextFrame::Outline outline;
    const auto addLines = [&](const CVes_Curve& curve) {
        for (StrokePoints& points : curve.strokes(scale, x, y, mirrorFlags, mid))
            outline.lines.push_back(std::move(points));
    };

    std::vector<std::size_t> legOfSide(m_arrSide.size(), std::size_t(-1));
    for (std::size_t i = 0; i < m_arrSide.size(); ++i) {
        const CVes_Side& side = *m_arrSide[i];
        addLines(side);
        if (side.isConnect())
            continue;
        for (StrokePoints& points : side.strokes(scale, x, y, mirrorFlags, mid)) {
            legOfSide[i] = outline.legs.size();
            outline.legs.push_back({std::move(points), {}});
        }
    }
    // The ends of an open bar are free.
    const auto first = std::find_if(legOfSide.begin(), legOfSide.end(),
                                    [](std::size_t leg) { return leg != std::size_t(-1); });
    const auto last = std::find_if(legOfSide.rbegin(), legOfSide.rend(),
                                   [](std::size_t leg) { return leg != std::size_t(-1); });
    if (first != legOfSide.end()) {
        ShapeTextFrame::Leg& start = outline.legs[*first];
        ShapeTextFrame::Leg& end = outline.legs[*last];
        if (start.points.front() != end.points.back()) {
            start.freeStart = true;
            end.freeEnd = true;
        }
    }
    if (m_showAux) {
        for (const auto& line : m_arrLine)
            addLines(*line);
        for (const auto& arc : m_arrArc)
            addLines(*arc);
        for (const auto& circle : m_arrCircle)
            addLines(*circle);
    }
    if (!m_arrSide.empty()) {
        const auto addHook = [&](const CVes_Hook& hook, const CVes_Side& side, bool atStart) {
            if (!hook.enabled)
                return;
            StrokePoints points = side.markStroke(atStart, scale, x, y, mirrorFlags, mid,
                                                  unsigned(hook.kind | hook.param));
            if (!points.empty())
                outline.lines.push_back(std::move(points));
        };
        addHook(m_hookLeft, *m_arrSide.front(), true);
        addHook(m_hookRight, *m_arrSide.back(), false);
    }

    // A length stands by the sides it measures, or, measuring none, by those
    // whose turn it gives and the sides before them; an angle by the sides
    // it measures and at the turns it gives.
    for (const auto& variable : m_arrVar) {
        const QString& name = variable->m_text;
        const auto own = [&](std::size_t i) {
            if (legOfSide[i] != std::size_t(-1)
                && !outline.legs[legOfSide[i]].names.contains(name))
                outline.legs[legOfSide[i]].names << name;
        };
        const bool angle = variable->getVarUnit() == CVes_Variable::kDegrees;
        bool measures = false;
        for (std::size_t i = 0; i < m_arrSide.size(); ++i) {
            if (namesVariable(m_arrSide[i]->m_lengthText, name)) {
                own(i);
                measures = true;
            }
        }
        if (measures && !angle)
            continue;
        for (std::size_t i = 0; i < m_arrSide.size(); ++i) {
            if (namesVariable(m_arrSide[i]->m_angleText, name)) {
                own(i);
                if (i > 0)
                    own(i - 1);
            }
        }
    }
    return outline;
}
