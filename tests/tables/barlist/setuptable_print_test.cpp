// A whole bar list printed to PDF through the table view's print path, read
// back with pdftotext: the cover with the project's texts, every bar, the
// element weights and the page totals.

#include "barlist_pages.h"

#include "tables/framework/ui/tableview.h"
#include "tests/support/pdftext.h"
#include "tests/support/recordinghost.h"

#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

bool hasWord(const QString& text, const QString& word)
{
    return QRegularExpression(QStringLiteral("(^|\\s)%1(\\s|$)")
                                  .arg(QRegularExpression::escape(word)))
        .match(text)
        .hasMatch();
}

TEST(BarListPrint, ThirtyBarsOfThreeElementsGoIntoThePdf)
{
    if (!test::hasPdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    test::HostScope host;
    CVes_SetupTable list;
    test::fillDemoList(list);
    list.setPageTo(1, 1);

    CVes_TableViewBase view;
    view.resize(1400, 960);
    view.setTable(&list);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString shot = dir.filePath(QStringLiteral("page.png"));
    ASSERT_TRUE(view.grab().save(shot));
    test::keepForReview(shot, QStringLiteral("barlist-page-screen.png"));

    const QString path = dir.filePath(QStringLiteral("barlist.pdf"));
    {
        QPdfWriter pdf(path);
        ASSERT_TRUE(view.printTo(&pdf, view.firstPrintPage(), view.lastPrintPage()));
    }
    test::keepForReview(path, QStringLiteral("barlist.pdf"));
    EXPECT_EQ(list.getCurPage(), 1);

    const QStringList pages = test::pdfPages(path);
    // The cover and the 33 rows on three pages of 16.
    ASSERT_EQ(pages.size(), 4) << pages.join(u'\f').toStdString();
    const QString& cover = pages[0];
    EXPECT_TRUE(cover.contains(QStringLiteral("滨江花园3号楼"))) << cover.toStdString();
    EXPECT_TRUE(cover.contains(QStringLiteral("钢筋配料单")));
    EXPECT_TRUE(cover.contains(QStringLiteral("二层梁柱板")));
    EXPECT_TRUE(cover.contains(QStringLiteral("王工")));
    EXPECT_TRUE(cover.contains(QStringLiteral("总重量")));
    EXPECT_FALSE(cover.contains(u'{')) << cover.toStdString();
    EXPECT_FALSE(cover.contains(QStringLiteral("-1 mm")));
    EXPECT_TRUE(cover.contains(QStringLiteral("保护层厚度:25 mm"))) << cover.toStdString();

    const QString table = pages.mid(1).join(u'\n');
    for (int number = 1; number <= 30; ++number)
        EXPECT_TRUE(hasWord(table, QString::number(number))) << number;
    for (const char* element : {"KL1(2)", "KZ3", "LB2"})
        EXPECT_TRUE(table.contains(QRegularExpression(
            QStringLiteral("构件编号\\s+%1").arg(QRegularExpression::escape(QString::fromUtf8(element))))))
            << element;
    for (CVes_TableBaseLine* line : list.lines()) {
        auto* row = static_cast<CVes_SetupTableLine*>(line);
        if (row->isElementLine()) {
            EXPECT_TRUE(table.contains(QString::asprintf("%.3f", list.getEleSteelweight(row))))
                << row->getElement().toStdString();
        }
    }
    for (int page = 1; page <= 3; ++page) {
        EXPECT_TRUE(pages[page].contains(QStringLiteral("本页汇总"))) << page;
        EXPECT_TRUE(pages[page].contains(QStringLiteral("总计:"))) << page;
        EXPECT_TRUE(pages[page].contains(
            QRegularExpression(QStringLiteral("第\\s*%1\\s*页\\s*\\S\\s*共\\s*3\\s*页").arg(page))))
            << page;
    }
    // The diameters beside their grade symbols, the hoops' spacings and a
    // two-line remark.
    EXPECT_TRUE(table.contains(QStringLiteral("100")));
    EXPECT_TRUE(table.contains(QStringLiteral("支座负筋")));
    EXPECT_TRUE(hasWord(table, QStringLiteral("两端")));
    EXPECT_TRUE(table.contains(QStringLiteral("滨江花园3号楼")));
}

} // namespace
