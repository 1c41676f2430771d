// A quantity sheet made from a bar list of thirty bars of the shipped
// shapes, shown in its view and printed to PDF. With RODO_SCREENSHOTS set
// the view's picture and the PDF are kept in that folder.

#include "tables/quantity/ui/sltableview.h"

#include "sltable_support.h"
#include "tables/barlist/quantityrows.h"
#include "tables/barlist/setuptable.h"
#include "tests/support/recordinghost.h"

#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ShapeUse {
    CSteelRecordId key;
    std::vector<std::pair<const char*, double>> values;
};

// Three elements of ten bars each, cycling through straight, bent and
// stirrup shapes of the shipped library.
void fillBarList(CVes_SetupTable& list)
{
    const ShapeUse shapes[] = {
        {{190, 1}, {{"L", 6000}}},
        {{190, 2}, {{"L", 3200}}},
        {{191, 1}, {{"L1", 2400}, {"L2", 350}}},
        {{191, 2}, {{"L1", 300}, {"L2", 1800}, {"L3", 300}}},
        {{191, 4}, {{"L1", 600}, {"H", 400}, {"L2", 1500}}},
        {{192, 1}, {{"H", 550}, {"B", 250}}},
        {{192, 4}, {{"D", 450}, {"Lap", 400}}},
    };
    const float diameters[] = {8.0f, 10.0f, 12.0f, 16.0f, 20.0f, 25.0f};
    list.clearnAllLine();
    int number = 0;
    for (const char* element : {"KZ1", "KL2|KL3", "LB4"}) {
        auto* head = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        head->setNull(0);
        head->setElement(QString::fromUtf8(element));
        head->setEleNum(number == 0 ? 4 : 2);
        list.appendLine(head);
        for (int i = 0; i < 10; ++i, ++number) {
            const ShapeUse& use = shapes[std::size_t(number) % std::size(shapes)];
            auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
            line->setNull(0);
            CVes_Steel& bar = line->m_steel;
            bar.setRecordId(use.key);
            bar.number = QString::number(number + 1);
            bar.grade = number % 3 == 0 ? 1 : 3;
            bar.setDN(diameters[std::size_t(number) % std::size(diameters)]);
            bar.count = 2 + number % 5;
            bar.calcLength = 1;
            for (const auto& [name, value] : use.values)
                bar.setVarValue(QString::fromUtf8(name), value + 10.0 * number);
            if (number % 4 == 0)
                bar.remark = QStringLiteral("箍筋加密区\r\n@100");
            list.appendLine(line);
        }
    }
}

TEST(SLViewPrint, ThirtyBarsFromABarListShownAndPrinted)
{
    test::HostScope host;
    CVes_SetupTable list;
    fillBarList(list);

    CVes_SLTable t;
    t.clearnAllLine();
    t.m_texts[2].m_formula = QStringLiteral("综合楼");
    t.m_texts[3].m_formula = QStringLiteral("一层柱、梁、板");
    t.m_texts[5].m_formula = QStringLiteral("张三");
    t.appendLine(test::slEleType("框架"));
    t.import(quantityRowsOf(list, t.shapeUnit()));
    t.clearNullLineOfEnd();
    ASSERT_EQ(t.lines().size(), 34);
    t.setPageTo(1, 1);
    t.AddSelect(3, 1);
    t.setCurRow(3);
    t.setCurCol(4);

    CVes_SLTableView view;
    view.resize(1600, 1000);
    view.setTable(&t);
    view.show();
    const QImage shown = view.grab().toImage();
    EXPECT_FALSE(shown.isNull());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("quantity.pdf");
    {
        QPdfWriter writer(pdf);
        ASSERT_TRUE(view.printTo(&writer, 1, 2));
    }
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 2);
    // The printed page shows its rows again afterwards.
    EXPECT_EQ(t.getCurPage(), 1);

    if (const QByteArray folder = qgetenv("RODO_SCREENSHOTS"); !folder.isEmpty()) {
        const QString out = QString::fromLocal8Bit(folder);
        shown.save(out + "/quantity-view.png");
        QFile::remove(out + "/quantity.pdf");
        QFile::copy(pdf, out + "/quantity.pdf");
    }
}

} // namespace
