#pragma once
// What the bar-list view and cell-entry tests share: user shape numbers
// written into the test's data folder and removed afterwards, a small bar
// list of an element, bars of each kind and the other line kinds, and that
// list shown in the view.

#include "tables/barlist/setuptable.h"
#include "tables/barlist/ui/setupview2.h"
#include "tables/framework/ui/inplaceedit.h"
#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/edithabits.h"

#include "core/model/steelmodeluserid.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QString>

#include <gtest/gtest.h>

#include <optional>

namespace test {

// User shape numbers in the data folder for the lifetime of the scope.
class UserNumbers {
public:
    UserNumbers(const QString& number, CSteelRecordId key)
    {
        CVes_SteelModelUserIdLib numbers;
        numbers.addRecord(key, number, 1);
        EXPECT_TRUE(numbers.writeFile());
    }
    ~UserNumbers() { QFile::remove(CVes_SteelModelUserIdLib::steelFilePath()); }
    UserNumbers(const UserNumbers&) = delete;
    UserNumbers& operator=(const UserNumbers&) = delete;
};

inline const CSteelRecordId kViewStraight(190, 1);
inline const CSteelRecordId kHookedShape(190, 2);

// Rows of the small list, as the current page numbers them.
enum ListRow {
    kElementRow = 1,
    kBarRow = 2,      // "1", C20, straight L 3000, 2 bars, 100/200, remark "r"
    kGradedRow = 3,   // "2", A12, L from 1000 to 2000 over 3 groups, 4 bars
    kEmptyRow = 4,
    kTextRow = 5,
    kLockedRow = 6,   // "3", locked
    kImageRow = 7,
    kUnitRow = 8,
};

inline CVes_Steel straightBar(const char* number, int grade, float d, double length, int count)
{
    CVes_Steel bar;
    bar.setRecordId(kViewStraight);
    bar.setDN(d);
    bar.grade = grade;
    bar.setVarValue(QStringLiteral("L"), length);
    bar.number = QString::fromUtf8(number);
    bar.count = count;
    return bar;
}

// An element "KL1", the bars above, an empty bar line, a text line, a locked
// bar, an image line and a unit line, on page 1 of 30 rows.
inline void fillSmallList(CVes_SetupTable& t)
{
    t.clearnAllLine();
    t.m_rowNum = 30;
    auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
    element->setElement(QStringLiteral("KL1"));
    element->setEleNum(2);
    element->setNull(0);
    t.appendLine(element);

    CVes_Steel bar = straightBar("1", 3, 20.0f, 3000.0, 2);
    bar.spacing1 = QStringLiteral("100");
    bar.spacing2 = QStringLiteral("200");
    bar.remark = QStringLiteral("r");
    t.Add(bar);

    CVes_Steel graded = straightBar("2", 1, 12.0f, 1000.0, 4);
    graded.setMultiVal(1);
    graded.setMultiGroup(3);
    graded.setVarValueE(QStringLiteral("L"), 2000.0);
    t.Add(graded);

    t.appendLine(new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine)));
    t.Add(QStringList{QStringLiteral("合计"), QString(), QStringLiteral("备用")});
    t.Add(straightBar("3", 3, 25.0f, 4000.0, 1))->setLock(1);
    auto* image = new CVes_SetupTableLine(int(CVes_SetupTableLine::kImageLine));
    image->setNull(0);
    t.appendLine(image);
    auto* unit = new CVes_SetupTableLine(int(CVes_SetupTableLine::kUnitLine));
    unit->setUnit(QStringLiteral("1"), QStringLiteral("3"), 0);
    t.appendLine(unit);
    t.setUnitArray({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    t.setUnitlocArray({QStringLiteral("①"), QStringLiteral("②"), QStringLiteral("③"),
                       QStringLiteral("④")});
    t.setPageTo(1, 1);
    t.resetUndo();
    t.setModified(0);
}

inline CVes_SetupTableLine* listLine(CVes_SetupTable& t, int row)
{
    return dynamic_cast<CVes_SetupTableLine*>(t.getLine(row));
}

inline CVes_Steel& listBar(CVes_SetupTable& t, int row)
{
    return listLine(t, row)->m_steel;
}

} // namespace test

namespace test {

// The bar-list view with the choosers, the import file and the calculator
// under the test's control. Without a scripted choice the real chooser runs.
class BarView : public CVes_SetupView2 {
public:
    int chooseShape(CSteelRecordId* key) override
    {
        ++shapeCalls;
        if (!shapeChoice)
            return CVes_SetupView2::chooseShape(key);
        if (shapeChoice->isNull())
            return 2;
        *key = *shapeChoice;
        return 1;
    }
    int chooseStart(CSteelRecordId* key) override
    {
        ++startCalls;
        if (!startChoice)
            return CVes_SetupView2::chooseStart(key);
        if (startChoice->isNull())
            return 2;
        *key = *startChoice;
        return 1;
    }
    QString askImportPath() override { return importPath; }
    void openCalculator() override { ++calculators; }

    // A null key scripts a cancelled chooser.
    std::optional<CSteelRecordId> shapeChoice;
    std::optional<CSteelRecordId> startChoice;
    int shapeCalls = 0;
    int startCalls = 0;
    int calculators = 0;
    QString importPath;
};

// The small list shown in the view, its page drawn once, with spies on the
// frame notice and the document's modified mark.
class ShownBarList : public ::testing::Test {
protected:
    void SetUp() override
    {
        fillSmallList(t);
        view.resize(1400, 900);
        view.setTable(&t);
        view.show();
        view.viewport()->grab();
    }
    void TearDown() override { closeEditors(); }

    // Ends the open editors and lets them go.
    void closeEditors()
    {
        view.endEdit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void select(int row, int column)
    {
        t.AddSelect(row, 1);
        t.setCurRow(row);
        t.setCurCol(column);
    }
    CVes_InPlaceEdit* editor() const { return view.viewport()->findChild<CVes_InPlaceEdit*>(); }
    // Client points of a cell: its middle, and a point just inside its
    // top-left corner (off the shape's dimensions).
    QPoint cellCentre(int row, int column) const
    {
        return view.LPtoDP(t.getRect(row, column)).CenterPoint();
    }
    QPoint cellCorner(int row, int column) const
    {
        const platform::Rect box = view.LPtoDP(t.getRect(row, column));
        return QPoint(box.left + 3, box.top + 3);
    }
    std::size_t undoSteps() const { return t.m_history.added(); }

    HostScope host;
    CVes_SetupTable t;
    BarView view;
    QSignalSpy framed{&view, &CVes_TableViewBase::tableChanged};
    QSignalSpy modified{&view, &CVes_TableViewBase::modifyRequested};
};

} // namespace test
