// The user's raw-stock file ("KUCUN.xml") reaches a bar list's own raw
// stock when a summary tab is built. A name in it that the list's file
// cannot hold (GBK) never makes the list unsaveable: the stock file is
// refused where it is read, and the list saves as if it had none.

#include "app/documents/setupmainview.h"
#include "envora/steelyuancaidata.h"
#include "platform/ui/commandids.h"
#include "tests/app/support/documents_support.h"
#include "tests/support/fixtures.h"
#include "tests/tables/barlist/summary_support.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct StockCase {
    const char* fixture;
    const char* refusedText; // what the reader names as unsaveable
};

std::ostream& operator<<(std::ostream& os, const StockCase& c)
{
    return os << c.fixture;
}

class UnsaveableStockNames : public test::DocumentsFixture,
                             public ::testing::WithParamInterface<StockCase> {
protected:
    test::StockFileAway away;
};

TEST_P(UnsaveableStockNames, AreRefusedWhereTheyEnterAndTheListStillSaves)
{
    const StockCase& c = GetParam();
    ASSERT_TRUE(platform::saveFile(test::StockFileAway::path(), test::fixture(QStringLiteral(RODO_FIXTURES_DIR), QString::fromUtf8(c.fixture))));

    // The reader says why, naming the text.
    CVes_SteelYuanCaiDataLib stock;
    QString reason;
    EXPECT_FALSE(stock.readFile(test::StockFileAway::path(), &reason));
    EXPECT_TRUE(reason.contains(QString::fromUtf8(c.refusedText))) << reason.toStdString();

    const QString file = saveBarList("一层.pld");
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    auto* view = dynamic_cast<CRODO_SetUpMainView*>(containerOf(doc));
    ASSERT_TRUE(view);
    for (const int tab : {CRODO_SetUpMainView::kSummary, CRODO_SetUpMainView::kPurchase}) {
        view->selectTab(tab);
        doc->finishBuilds();
        QApplication::processEvents();
    }
    view->selectTab(CRODO_SetUpMainView::kBarList);
    selectTwoBars(*doc->setupTable());
    runCommand(doc, ID_GRADE_2);
    ASSERT_TRUE(doc->IsModified());
    // The user was told once that the raw-stock file is not used, and why.
    ASSERT_EQ(host->messageTexts().size(), 1) << host->messageTexts().join(u'\n').toStdString();
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("KUCUN.xml")));
    EXPECT_TRUE(host->messageTexts().front().contains(QString::fromUtf8(c.refusedText)))
        << host->messageTexts().front().toStdString();
    host->clear();

    runCommand(doc, ID_FILE_SAVE);
    EXPECT_TRUE(host->messageTexts().isEmpty()) << host->messageTexts().join(u'\n').toStdString();
    EXPECT_FALSE(doc->IsModified());

    // On disk: the list with its raw stock, none of it from the refused file.
    CVes_SetupTable again;
    ASSERT_EQ(again.OpenFile(file), 1);
    const CVes_SteelYuanCaiDataLib& saved = again.getYuanCaiLib();
    EXPECT_GT(saved.count(), 0);
    for (int i = 0; i < saved.count(); ++i) {
        EXPECT_TRUE(saved.at(i)->name.isEmpty()) << saved.at(i)->name.toStdString();
        EXPECT_EQ(saved.at(i)->price, 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, UnsaveableStockNames,
                         ::testing::Values(StockCase{"kucun_emoji_name.xml", "盘圆😀"},
                                           StockCase{"kucun_ext_a_name.xml", "㐀条"},
                                           StockCase{"kucun_declared_latin1.xml", "ç"}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

class StockNameInAList : public test::DocumentsFixture {};

TEST_F(StockNameInAList, ASaveThatMeetsOneSaysItCameFromTheRawStock)
{
    const QString file = saveBarList("一层.pld");
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    const QByteArray before = bytesOf(file);
    CVes_SteelYuanCaiData record;
    record.DN = 8.0f;
    record.name = QString::fromUtf8("盘圆😀");
    doc->setupTable()->getYuanCaiLib().append(record);
    selectTwoBars(*doc->setupTable());
    runCommand(doc, ID_GRADE_2);

    runCommand(doc, ID_FILE_SAVE);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts()[0].contains(QString::fromUtf8("原材库名称中的文字“盘圆😀”")))
        << host->messageTexts()[0].toStdString();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(bytesOf(file), before);
}

} // namespace
