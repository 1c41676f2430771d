#pragma once
// A check of what a user can reach on a window's toolbars at its size now.

#include "widgara/commandbars.h"

#include <QToolButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>

namespace test {

// Whether every control of `bars` can be reached within `window`: shown
// whole inside it, or folded behind its bar's overflow button, which is.
inline ::testing::AssertionResult everyCommandReachable(CXTPCommandBars& bars, QWidget& window)
{
    const QRect inside(QPoint(0, 0), window.size());
    const auto within = [&](QWidget* w) {
        return w && w->isVisible() && inside.contains(QRect(w->mapTo(&window, QPoint(0, 0)), w->size()));
    };
    for (int b = 0; b < bars.GetCount(); ++b) {
        CXTPToolBar* bar = bars.GetAt(b);
        if (!bars.IsCommandBarVisible(bar))
            continue;
        const std::vector<CXTPControl*> folded = bar->foldedControls();
        for (int i = 0; i < bar->GetControlCount(); ++i) {
            CXTPControl* control = bar->GetControl(i);
            if (!control->IsVisible())
                continue;
            const bool isFolded = std::find(folded.begin(), folded.end(), control) != folded.end();
            if (isFolded ? !within(bar->overflowButton()) : !within(control->widget()))
                return ::testing::AssertionFailure()
                       << bar->GetTitle().toStdString() << ": command " << control->GetID()
                       << (isFolded ? " folded without a reachable overflow button" : " outside the window");
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace test
