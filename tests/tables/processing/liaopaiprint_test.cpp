// Bar tags on paper: a sheet of forty tags printed to PDF in each of the six
// layouts puts every tag on exactly one page, read back by its bar number.
// With RODO_TAG_PRINTS naming a folder, the PDFs are also copied there for a
// look.

#include "tests/tables/processing/liaopai_support.h"

#include "tables/processing/ui/liaopaiview.h"
#include "tests/support/pdftext.h"

#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

int occurrences(const QString& text, const QString& word)
{
    const QRegularExpression re(QStringLiteral("(?<![A-Z])") + QRegularExpression::escape(word)
                                + QStringLiteral("(?![A-Z])"));
    int n = 0;
    for (auto it = re.globalMatch(text); it.hasNext(); it.next())
        ++n;
    return n;
}

struct PrintCase {
    int layout;
    const char* name;
    int pages;
};
class TagPrint : public ::testing::TestWithParam<PrintCase> {};

TEST_P(TagPrint, FortyTagsEachOnExactlyOnePage)
{
    const PrintCase c = GetParam();
    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
    sheet.setLiaoPaiType(1); // bar tags only
    sheet.setLiaoPaiDirect(unsigned(c.layout));
    test::fillSheet(sheet, 4, 10);
    sheet.m_texts[6].m_formula = QStringLiteral("王工");
    CVes_LiaoPaiTable tags;
    sheet.toLiaoPaiTable(&tags);
    ASSERT_EQ(tags.lines().size(), 40);

    CVes_LiaoPaiView view;
    view.setTable(&tags);
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8(c.name) + QStringLiteral(".pdf"));
    {
        QPdfWriter pdf(path);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        ASSERT_TRUE(view.printTo(&pdf, 1, view.lastPrintPage()));
    }
    EXPECT_EQ(view.lastPrintPage(), c.pages);
    const QString keep = qEnvironmentVariable("RODO_TAG_PRINTS");
    if (!keep.isEmpty())
        QFile::copy(path, keep + u'/' + QFileInfo(path).fileName());

    const QStringList pages = test::pdfPages(path);
    EXPECT_EQ(pages.size(), c.pages);
    const QString text = pages.join(u'\f');
    ASSERT_FALSE(text.isEmpty());
    for (int n = 1; n <= 40; ++n) {
        const QString number = test::letterNumber(n);
        EXPECT_EQ(occurrences(text, number), 1) << number.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    SixLayouts, TagPrint,
    ::testing::Values(PrintCase{0, "layout0_V", 5}, PrintCase{1, "layout1_H", 5},
                      PrintCase{2, "layout2_J", 3}, PrintCase{3, "layout3_J2", 5},
                      PrintCase{4, "layout4_J2H", 5}, PrintCase{5, "layout5_Model6", 4}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
