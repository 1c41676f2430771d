#include "core/model/modelreference.h"
#include "platform/archive.h"
#include "tests/core/model/barcore_shapes.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

using test::CacheScope;
using test::ShapeBuilder;

// A bar of a shape with three dimensions given by the user, A computed.
class Instance : public ::testing::Test {
protected:
    void SetUp() override
    {
        scope.add(ShapeBuilder({150, 70})
                      .var("L", 1000)
                      .var("H", 200)
                      .var("W", 300)
                      .computed("A", "L+H")
                      .straight({1300, 150}, "0", "L")
                      .build());
        bar.setRecordId({150, 70});
    }
    std::vector<unsigned int> kinds() const
    {
        std::vector<unsigned int> out;
        for (const auto& v : bar.getVarArray())
            out.push_back(v->m_type);
        return out;
    }
    CacheScope scope;
    CVes_ModelReference bar;
};

TEST_F(Instance, ValuesOfMissingNamesAndTexts)
{
    EXPECT_EQ(bar.getVarValue("nothing"), -1.111);
    EXPECT_EQ(bar.getVarValueE("nothing"), -1.111);
    EXPECT_EQ(bar.getVarValue("L"), 1000.0);
    EXPECT_EQ(bar.getVarString("L"), "");
    bar.getVar("W")->m_type = CVes_Variable::kTextKind;
    bar.setVarValue("W", QStringLiteral("见详图"));
    EXPECT_EQ(bar.getVarString("W"), QStringLiteral("见详图"));
    EXPECT_EQ(bar.getVarValue("W"), 300.0);
}

TEST_F(Instance, TextValuesAreFormulasOverTheBarsVariables)
{
    bar.setVarValue("H", QStringLiteral("L/4+50"));
    EXPECT_EQ(bar.getVarValue("H"), 300.0);
    EXPECT_EQ(bar.getVar("H")->m_step, 0.0);
    bar.setVarValueE("H", QStringLiteral("L"));
    EXPECT_EQ(bar.getVarValueE("H"), 1000.0);
    EXPECT_EQ(bar.calVarValue("H*2", 1), 2000.0);
    QString why;
    EXPECT_EQ(bar.checkFormulaString("L+X", &why), 0);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(bar.checkFormulaString("L+H"), 1);
}

TEST_F(Instance, StepsOfMultiValueBars)
{
    bar.setMultiVal(1);
    bar.setMultiGroup(1);
    for (const auto& v : bar.getVarArray())
        EXPECT_EQ(v->m_step, 1.0) << v->m_text.toStdString();
    bar.setMultiGroup(5);
    bar.setVarValue("L", 100.0);
    bar.setVarValueE("L", 300.0);
    EXPECT_EQ(bar.getVar("L")->m_step, 50.0);
    bar.setMultiVal(0);
    EXPECT_EQ(bar.getVarValueE("L"), 100.0);
    EXPECT_EQ(bar.getVar("L")->m_step, 0.0);
}

// A row stands for at most kMaxGroupBars groups: the sheets walk each bar
// of a row. The program's own count is held to it; a file that holds more
// is damaged.
TEST_F(Instance, GroupsAreHeldToTheMostBarsARowStandsFor)
{
    bar.setMultiVal(1);
    bar.setMultiGroup(0x7FFFFFFF);
    EXPECT_EQ(bar.getMultiGroup(), CVes_ReferenceBase::kMaxGroupBars);
    bar.setMultiGroup(7);
    EXPECT_EQ(bar.getMultiGroup(), 7);

    platform::Archive out;
    bar.setMultiGroup(5);
    bar.Serialize(out);
    // In the schema-8 stream the group count follows the key (12 bytes), two
    // hooks (20 each), two connections (28 each), the default intermediate
    // connection (34) and three flags.
    QByteArray bytes = out.data();
    constexpr qsizetype at = 12 + 2 * 20 + 2 * 28 + 34 + 3 * 4;
    ASSERT_EQ(qFromLittleEndian<qint32>(bytes.constData() + at), 5);
    bytes.replace(at, 4, QByteArray("\xff\xff\xff\x7f", 4));
    CVes_ModelReference back;
    platform::Archive in(bytes);
    EXPECT_THROW(back.Serialize(in), platform::ArchiveError);
}

TEST_F(Instance, NumberSetsAnUnsetSecondValueEvenForSingleBars)
{
    bar.getVar("L")->m_value2 = 0.0;
    bar.setVarValue("L", 250.0);
    EXPECT_EQ(bar.getVarValueE("L"), 250.0);
    EXPECT_EQ(bar.getVar("L")->m_step, 0.0);
    bar.setVarValue("L", 260.0);
    EXPECT_EQ(bar.getVarValueE("L"), 250.0);
}

TEST_F(Instance, TextHeights)
{
    bar.setVarHigh(0);
    EXPECT_EQ(bar.getVar("L")->m_height, 60);
    bar.setVarBig();
    EXPECT_EQ(bar.getVar("L")->m_height, 70);
    bar.setVarSmall();
    bar.setVarHigh(45);
    EXPECT_EQ(bar.getVar("d")->m_height, 45);
}

TEST_F(Instance, PickingAVariableByIndex)
{
    // Kinds: d, lae, lle, la, bhc (0), then L, H, W (2) and A (1).
    EXPECT_EQ(kinds(), (std::vector<unsigned int>{0, 0, 0, 0, 0, 2, 2, 2, 1}));
    int pos = 2;
    CVes_Variable* picked = bar.getVarByIndex(pos);
    ASSERT_EQ(picked, bar.getVar("L"));
    EXPECT_EQ(pos, 5);
    EXPECT_EQ(picked->m_status, 2u);
    EXPECT_EQ(bar.getUsingVar(), picked);
    pos = 6;
    EXPECT_EQ(bar.getVarByIndex(pos), bar.getVar("H"));
    EXPECT_EQ(bar.getVar("L")->m_status, 0u);
    pos = 8;
    EXPECT_EQ(bar.getVarByIndex(pos), nullptr);
    EXPECT_EQ(bar.getVar("H")->m_status, 0u);
    pos = 9;
    EXPECT_EQ(bar.getVarByIndex(pos), nullptr);
    bar.clearVarStatus();
    EXPECT_EQ(bar.getUsingVar(), nullptr);
}

TEST_F(Instance, FindingAVariableByItsValue)
{
    EXPECT_EQ(bar.findVar("200"), bar.getVar("H"));
    EXPECT_EQ(bar.findVar("300mm"), bar.getVar("W"));
    EXPECT_EQ(bar.findVar("10"), nullptr) << "d is not offered";
}

TEST_F(Instance, SameVariablesIgnoreStandardAndComputedOnes)
{
    CVes_ModelReference other;
    other.setRecordId({150, 70});
    other.getVar("d")->m_value = 99;
    other.getVar("A")->m_value = 99;
    EXPECT_EQ(bar.isSameVar(&other, 1), 1);
    other.setVarValue("W", 301.0);
    EXPECT_EQ(bar.isSameVar(&other, 1), 0);
    CVes_ModelReference none;
    EXPECT_EQ(bar.isSameVar(&none, 1), 0);
}

TEST_F(Instance, RefreshTakesKindsAndFormulasButKeepsValues)
{
    bar.setVarValue("L", 1500.0);
    CVes_Variable* a = bar.getVar("A");
    a->m_type = CVes_Variable::kGiven;
    a->m_formula.clear();
    bar.refreshVarArrayFromRecord();
    EXPECT_EQ(a->m_type, CVes_Variable::kComputed);
    EXPECT_EQ(a->m_formula, "L+H");
    EXPECT_EQ(bar.getVarValue("L"), 1500.0);
    bar.getVarArrayFromRecord();
    EXPECT_EQ(bar.getVarValue("L"), 1000.0);
    EXPECT_EQ(bar.isOneSide(), 1);
}

TEST(InstanceWithoutShape, EmptyAnswers)
{
    CacheScope scope;
    CVes_ModelReference bar;
    int pos = 0;
    EXPECT_EQ(bar.getVarByIndex(pos), nullptr);
    EXPECT_EQ(bar.getUsingVar(), nullptr);
    EXPECT_EQ(bar.findVar("0"), nullptr);
    EXPECT_EQ(bar.getSelectVar(QPoint()), nullptr);
    EXPECT_EQ(bar.getScale(), 0.0);
    EXPECT_EQ(bar.isOneSide(), 0);
    int w = -1, h = -1;
    bar.getRecordExtend(w, h);
    EXPECT_EQ(w, -1);
    bar.synchronizeRecordVar();
    bar.getVarArrayFromRecord();
    EXPECT_TRUE(bar.getVarArray().empty());
}

} // namespace
