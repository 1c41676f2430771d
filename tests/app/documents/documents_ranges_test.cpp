// Whatever the program saves it opens again: documents holding values at the
// edges of what their files may hold (bar diameters 0 and the largest one,
// the smallest and largest page zoom) have every sheet derived from them,
// the raw-stock records those sheets register included, and are saved,
// closed and opened again whole. A diameter beyond the edge is refused on
// opening, with a message.

#include "app/documents/documentids.h"
#include "envora/rules.h"
#include "envora/steelyuancaidata.h"
#include "platform/ui/commandids.h"
#include "tables/quantity/ui/cutoptimizesizedlg.h"
#include "tests/app/support/documents_support.h"
#include "tests/support/modal.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::Answer;

struct EdgeCase {
    const char* name;
    float diameter;
    double zoom;
};

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

const EdgeCase kEdges[] = {
    {"NoSizeYetAtTheSmallestZoom", 0.0f, CVes_TableBase::kMinPageZoom},
    {"LargestSizeAtTheLargestZoom", float(envora::kMaxStoredDiameter), CVes_TableBase::kMaxPageZoom},
    {"CommonSize", 20.0f, 1.0},
};

class EdgeValues : public test::DocumentsFixture, public ::testing::WithParamInterface<EdgeCase> {
protected:
    // The demonstration list with two more bars of the case's diameter.
    QString saveEdgeList(const char* name)
    {
        const EdgeCase& c = GetParam();
        return saveBarList(name, [&c](CVes_SetupTable& list) {
            test::addElement(list, "边界", 1);
            test::addBar(list, "91", 3, c.diameter, test::kListStraight, {{"L", 3000}}, 2);
            test::addPlainBar(list, "92", 4500, 1)->getSetupSteel()->setDN(c.diameter);
            list.setScale(c.zoom);
        });
    }
    // Every bar diameter of a sheet, in order.
    static std::vector<float> diameters(CVes_TableBase& table)
    {
        std::vector<float> ds;
        for (CVes_TableBaseLine* row : table.lines())
            if (const CVes_BarCore* bar = row->getSteel(); bar && !row->isNull())
                ds.push_back(bar->DN);
        return ds;
    }
    // Saves, closes and opens the document again; what opens holds the same
    // bars, and nobody was told anything.
    template <typename Doc>
    Doc* saveAndReopen(Doc* doc, const std::vector<float>& bars)
    {
        const QString file = doc->GetPathName();
        runCommand(doc, ID_FILE_SAVE);
        EXPECT_FALSE(doc->IsModified());
        doc->OnFileClose();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        host->clear();
        Doc* again = open<Doc>(file);
        EXPECT_TRUE(again) << "what was saved is refused";
        EXPECT_TRUE(host->messageTexts().isEmpty()) << host->messageTexts().join(u'\n').toStdString();
        if (again) {
            EXPECT_EQ(diameters(*again->mainTable()), bars);
            EXPECT_EQ(again->mainTable()->getScale(), GetParam().zoom);
        }
        return again;
    }
};

TEST_P(EdgeValues, ABarListWithEverySheetDerivedIsSavedAndOpensAgain)
{
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(saveEdgeList("a.pld"));
    ASSERT_TRUE(doc);
    const std::vector<float> bars = diameters(*doc->setupTable());
    doc->BuildSummary();
    doc->BuildSummaryJT();
    doc->BuildSortSheet();
    doc->BuildJinHuo();
    doc->BuildLiaoPai();
    doc->BuildContents();
    test::onNextModal<CCutOptimizeSpecDlg>([](CCutOptimizeSpecDlg* dlg) { dlg->reject(); });
    doc->BuildDuanLiao();
    // The sheets registered a raw-stock record of the size; it is saved with
    // the list.
    const CVes_SteelYuanCaiDataLib stock = doc->setupTable()->getYuanCaiLib();
    ASSERT_TRUE(stock.getYuanCai(GetParam().diameter, 3, 0));
    doc->SetModifiedFlag(true);
    doc->setupTable()->setModified(1);

    CRODOSetUpDoc* again = saveAndReopen(doc, bars);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->setupTable()->getYuanCaiLib() == stock);
}

TEST_P(EdgeValues, AProcessingSheetWithItsSheetsDerivedIsSavedAndOpensAgain)
{
    CVes_SetupTable list;
    ASSERT_EQ(list.OpenFile(saveEdgeList("a.pld")), 1);
    CVes_ProcessTable sheet;
    for (CVes_TableBaseLine* row : list.transformProcessList(0, 1, 1))
        sheet.appendLine(row);
    sheet.setScale(GetParam().zoom);
    ASSERT_EQ(sheet.SaveFile(path("a.jgd")), 1);

    auto* doc = open<CRODOProcessDoc>(path("a.jgd"));
    ASSERT_TRUE(doc);
    const std::vector<float> bars = diameters(*doc->processTable());
    doc->BuildListSheet();
    doc->BuildLiaoPai();
    doc->SetModifiedFlag(true);
    EXPECT_TRUE(saveAndReopen(doc, bars));
}

TEST_P(EdgeValues, AQuantitySheetWithItsSheetsDerivedIsSavedAndOpensAgain)
{
    CVes_SetupTable list;
    ASSERT_EQ(list.OpenFile(saveEdgeList("a.pld")), 1);
    CVes_SLTable sheet;
    for (CVes_SLTableLine* row : list.transformSL(0))
        sheet.appendLine(row);
    sheet.setScale(GetParam().zoom);
    ASSERT_EQ(sheet.SaveFile(path("a.ylb")), 1);

    auto* doc = open<CRODOSLDoc>(path("a.ylb"));
    ASSERT_TRUE(doc);
    const std::vector<float> bars = diameters(*doc->slTable());
    doc->BuildSummary();
    doc->BuildSummaryJT();
    doc->BuildSortSheet();
    doc->SetModifiedFlag(true);
    // The quantity sheet's file keeps no raw stock of its own.
    EXPECT_TRUE(saveAndReopen(doc, bars));
}

INSTANTIATE_TEST_SUITE_P(Edges, EdgeValues, ::testing::ValuesIn(kEdges),
                         [](const auto& info) { return std::string(info.param.name); });

// Just beyond the edges: the file is damaged, and opening it says so and
// leaves it as it was.
struct BeyondCase {
    const char* name;
    float diameter;
};

class DiameterBeyond : public test::DocumentsFixture, public ::testing::WithParamInterface<BeyondCase> {};

TEST_P(DiameterBeyond, IsRefusedWhenTheListIsOpened)
{
    const float d = GetParam().diameter;
    const QString file = saveBarList("a.pld", [d](CVes_SetupTable& list) {
        test::addPlainBar(list, "99", 4500, 1)->getSetupSteel()->DN = d;
    });
    const QByteArray before = bytesOf(file);
    EXPECT_EQ(open<CRODOSetUpDoc>(file), nullptr);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("已损坏")))
        << host->messageTexts().front().toStdString();
    EXPECT_EQ(bytesOf(file), before);
}

INSTANTIATE_TEST_SUITE_P(
    Diameters, DiameterBeyond,
    ::testing::Values(BeyondCase{"JustAboveTheLargest", std::nextafter(float(envora::kMaxStoredDiameter), 2000.0f)},
                      BeyondCase{"TwoThousand", 2000.0f},
                      BeyondCase{"Negative", -6.0f}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
