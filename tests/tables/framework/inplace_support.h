#pragma once
// A parent window that receives the in-place editors' reports and records
// them in the order they come.

#include "tables/framework/ui/inplaceedit.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>
#include <gtest/gtest.h>
#include <vector>

namespace test {

class InPlaceOwner : public QWidget, public InPlaceEditOwner {
public:
    InPlaceOwner()
    {
        setFocusPolicy(Qt::StrongFocus);
        resize(300, 120);
    }

    void inPlaceEditEnded(const InPlaceEditNotify& notify) override
    {
        notes.push_back(notify);
        log << QStringLiteral("end %1,%2 %3 key %4")
                   .arg(notify.item.iItem)
                   .arg(notify.item.iSubItem)
                   .arg(notify.item.pszText ? QLatin1Char('"') + *notify.item.pszText + QLatin1Char('"')
                                            : QStringLiteral("null"))
                   .arg(notify.item.lParam);
        if (onEnd)
            onEnd(notify);
    }
    void editKey(int key) override
    {
        log << QStringLiteral("key %1").arg(key);
        if (onKey)
            onKey(key);
    }

    // The log in one line, entries parted by " | ".
    std::string logText() const { return log.join(QStringLiteral(" | ")).toStdString(); }

    std::vector<InPlaceEditNotify> notes;
    QStringList log;
    std::function<void(const InPlaceEditNotify&)> onEnd;
    std::function<void(int)> onKey;
};

// The owner shown as the active window, so that the focus moves as it does
// on a desktop.
class InPlaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.show();
        owner.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    }
    void TearDown() override { deleteClosed(); }

    // Runs the deletions the closed editors asked for.
    static void deleteClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    InPlaceOwner owner;
};

} // namespace test
