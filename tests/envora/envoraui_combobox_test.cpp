// The value drop-down lists of the settings library and their exchange with
// a dialog's variables.

#include "envora/ui/concretecombox.h"
#include "envora/ui/steeldncombox.h"
#include "envora/ui/steelgradecombox.h"

#include "envora/rules.h"

#include "tests/envora/envorafixture.h"

#include <QTest>

#include <cmath>

namespace {

QStringList itemTexts(const QComboBox& box)
{
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts << box.itemText(i);
    return texts;
}

// The user picks the next item with the keyboard, as in a dialog.
void chooseNext(QComboBox& box)
{
    QTest::keyClick(&box, Qt::Key_Down);
}

} // namespace

TEST(ConcreteComBox, ListsTheClassesC20ToC80ByTheirCNumbers)
{
    CVes_ConcreteComBox box;
    EXPECT_EQ(itemTexts(box), QStringList({"C20", "C25", "C30", "C35", "C40", "C45", "C50", "C55",
                                           "C60", "C65", "C70", "C75", "C80"}));
    for (int i = 0; i < box.count(); ++i)
        EXPECT_EQ(box.itemData(i).toInt(), 20 + 5 * i);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_FALSE(box.isEditable());
}

class SteelDnComBoxTest : public test::DefaultSettings {};

TEST_F(SteelDnComBoxTest, ListsTheSizeTableAndFollowsItsChanges)
{
    CVes_SteelDnComBox box;
    EXPECT_EQ(itemTexts(box),
              QStringList({"4", "5", "5.5", "6", "6.5", "8", "10", "12", "14", "16", "18", "20", "22",
                           "25", "28", "30", "32", "36", "40", "50"}));
    for (int i = 0; i < box.count(); ++i)
        EXPECT_NE(Info_isValidDN(box.itemData(i).toFloat()), 0) << box.itemText(i).toStdString();

    float d = 25.0f;
    DDX_SteelDN(&box, d, false);
    change([](envora::Settings& s) {
        envora::SteelSize size;
        size.d = 7.5;
        size.weight = {0.347, 0.347, 0.347};
        s.sizes.insert(s.sizes.begin() + 5, size);
        s.sizes.erase(s.sizes.begin());  // 4 mm
    });
    box.loadSizes();
    EXPECT_EQ(box.itemText(0), "5");
    EXPECT_EQ(box.itemText(4), "7.5");
    EXPECT_EQ(box.currentText(), "25");  // the shown diameter stays chosen
}

TEST(SteelGradeComBox, StartsWithTheFourGradesAndTakesTheCallersList)
{
    CVes_SteelGradeComBox box;
    EXPECT_EQ(itemTexts(box), QStringList({"一级钢", "二级钢", "三级钢", "四级钢"}));
    for (int i = 0; i < box.count(); ++i)
        EXPECT_EQ(box.itemData(i).toInt(), i + 1);

    int grade = 3;
    DDX_SteelGrade(&box, grade, false);
    box.setGrades({{1, "A"}, {3, "C"}, {12, "L"}});
    EXPECT_EQ(itemTexts(box), QStringList({"A", "C", "L"}));
    EXPECT_EQ(box.currentText(), "C");
    box.setGrades({{1, "A"}, {12, "L"}});
    EXPECT_EQ(box.currentIndex(), -1);
    grade = 0;
    DDX_SteelGrade(&box, grade, true);
    EXPECT_EQ(grade, 3);  // a grade the new list lacks is kept, not replaced by a guess
}

// One value shown to a box and read back without the user choosing.
struct ExchangeCase {
    const char* name;
    double value;
    const char* shown;  // the selected text, or "" for nothing selected
};

std::ostream& operator<<(std::ostream& os, const ExchangeCase& c)
{
    return os << c.name;
}

std::string caseName(const ::testing::TestParamInfo<ExchangeCase>& info)
{
    return info.param.name;
}

class ConcreteExchange : public ::testing::TestWithParam<ExchangeCase> {};

TEST_P(ConcreteExchange, ShowsTheCodeAndReadsItBack)
{
    const ExchangeCase& c = GetParam();
    CVes_ConcreteComBox box;
    int code = int(c.value);
    DDX_Concrete(&box, code, false);
    EXPECT_EQ(box.currentText(), QString::fromUtf8(c.shown));
    EXPECT_EQ(box.currentIndex() >= 0, *c.shown != '\0');
    code = 12345;
    DDX_Concrete(&box, code, true);
    EXPECT_EQ(code, int(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ConcreteExchange,
    ::testing::Values(ExchangeCase{"C20", 20, "C20"}, ExchangeCase{"C35", 35, "C35"},
                      ExchangeCase{"C80", 80, "C80"},
                      ExchangeCase{"MissingDesignValue", -1, ""},
                      ExchangeCase{"Zero", 0, ""}, ExchangeCase{"BetweenClasses", 32, ""},
                      ExchangeCase{"AboveC80", 85, ""}, ExchangeCase{"BelowC20", 15, ""}),
    caseName);

class SteelDnExchange : public test::DefaultSettings,
                        public ::testing::WithParamInterface<ExchangeCase> {};

TEST_P(SteelDnExchange, ShowsTheDiameterAndReadsItBack)
{
    const ExchangeCase& c = GetParam();
    CVes_SteelDnComBox box;
    float d = float(c.value);
    DDX_SteelDN(&box, d, false);
    EXPECT_EQ(box.currentText(), QString::fromUtf8(c.shown));
    EXPECT_EQ(box.currentIndex() >= 0, *c.shown != '\0');
    d = 99.0f;
    DDX_SteelDN(&box, d, true);
    if (std::isnan(c.value))
        EXPECT_TRUE(std::isnan(d));
    else
        EXPECT_EQ(d, float(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Diameters, SteelDnExchange,
    ::testing::Values(ExchangeCase{"Whole", 25, "25"}, ExchangeCase{"Fraction", 6.5, "6.5"},
                      ExchangeCase{"Smallest", 4, "4"}, ExchangeCase{"Largest", 50, "50"},
                      ExchangeCase{"MissingDesignValue", -1, ""},
                      ExchangeCase{"NotInTheTable", 7, ""}, ExchangeCase{"Zero", 0, ""},
                      ExchangeCase{"NotANumber", std::nan(""), ""}),
    caseName);

class SteelGradeExchange : public ::testing::TestWithParam<ExchangeCase> {};

TEST_P(SteelGradeExchange, ShowsTheGradeAndReadsItBack)
{
    const ExchangeCase& c = GetParam();
    CVes_SteelGradeComBox box;
    int grade = int(c.value);
    DDX_SteelGrade(&box, grade, false);
    EXPECT_EQ(box.currentText(), QString::fromUtf8(c.shown));
    grade = 12345;
    DDX_SteelGrade(&box, grade, true);
    EXPECT_EQ(grade, int(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Grades, SteelGradeExchange,
    ::testing::Values(ExchangeCase{"First", 1, "一级钢"}, ExchangeCase{"Fourth", 4, "四级钢"},
                      ExchangeCase{"MissingDesignValue", -1, ""}, ExchangeCase{"Zero", 0, ""},
                      ExchangeCase{"NotListed", 12, ""}),
    caseName);

TEST(ValueExchange, TheUsersChoiceIsWhatIsReadBack)
{
    CVes_ConcreteComBox box;
    int code = -1;
    DDX_Concrete(&box, code, false);
    chooseNext(box);  // from no choice to the first class
    DDX_Concrete(&box, code, true);
    EXPECT_EQ(code, 20);

    code = 30;
    DDX_Concrete(&box, code, false);
    chooseNext(box);
    DDX_Concrete(&box, code, true);
    EXPECT_EQ(code, 35);
}

TEST(ValueExchange, ABoxNeverShownAValueLeavesTheVariableAlone)
{
    CVes_SteelGradeComBox grades;
    int grade = 7;
    DDX_SteelGrade(&grades, grade, true);
    EXPECT_EQ(grade, 7);

    CVes_ConcreteComBox concrete;
    int code = -1;
    DDX_Concrete(&concrete, code, true);
    EXPECT_EQ(code, -1);
    DDX_Concrete(nullptr, code, true);
    EXPECT_EQ(code, -1);
}

TEST(ValueExchange, ShowingAnUnknownValueClearsAnEarlierChoice)
{
    CVes_SteelGradeComBox box;
    int grade = 2;
    DDX_SteelGrade(&box, grade, false);
    EXPECT_EQ(box.currentText(), "二级钢");
    grade = -1;
    DDX_SteelGrade(&box, grade, false);
    EXPECT_EQ(box.currentIndex(), -1);
    grade = 2;
    DDX_SteelGrade(&box, grade, true);
    EXPECT_EQ(grade, -1);
}
