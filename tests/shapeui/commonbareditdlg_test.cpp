#include "shapeui/commonbareditdlg.h"

#include "core/model/modelrecordlib.h"
#include "shapeui/inputdlg.h"
#include "shapeui/shapelistctrl.h"
#include "core/model/steelmodeluserid.h"
#include "tests/shapeui/modellibdlg_testing.h"
#include "tests/shapeui/shapelist_support.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using platform::Answer;

namespace {

using test::kSelected;

// Records of the default bar-shape library.
std::vector<std::unique_ptr<CVes_ModelRecord>> libraryRecords(std::initializer_list<const char*> keys)
{
    CVes_ModelRecordMainLib library;
    std::vector<std::unique_ptr<CVes_ModelRecord>> records;
    for (const char* key : keys) {
        const CVes_ModelRecord* record = library.getModel(CSteelRecordId::setId(QString::fromLatin1(key)), 1);
        EXPECT_NE(record, nullptr) << key;
        if (record)
            records.push_back(std::make_unique<CVes_ModelRecord>(record));
    }
    return records;
}

QStringList keysOf(const CVes_CommonBarEditDlg& dlg)
{
    QStringList keys;
    for (const auto& record : dlg.records())
        keys.append(record->getID().ToString());
    return keys;
}

QList<int> selectedItems(const CVes_CommonBarEditDlg& dlg)
{
    QList<int> items;
    for (int i = 0; i < dlg.listCtrl()->GetItemCount(); ++i) {
        if (dlg.listCtrl()->GetItemState(i, kSelected))
            items.append(i);
    }
    return items;
}

QStringList split(const char* keys)
{
    return QString::fromLatin1(keys).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A dialog already showing the given library shapes.
class CommonBarEdit : public ::testing::Test {
protected:
    void open(std::initializer_list<const char*> keys)
    {
        m_given = libraryRecords(keys);
        std::vector<CVes_ModelRecord*> pointers;
        for (const auto& record : m_given)
            pointers.push_back(record.get());
        dlg.setRecordArray(pointers);
        dlg.OnInitDialog();
    }
    void select(std::initializer_list<int> items)
    {
        for (int item : items)
            dlg.listCtrl()->SetItemState(item, kSelected, kSelected);
    }
    void batch(const char* text)
    {
        dlg.findChild<QLineEdit*>(QString::number(CVes_CommonBarEditDlg::kIdBatchText))
            ->setText(QString::fromUtf8(text));
        QTest::mouseClick(dlg.findChild<QPushButton*>(QString::number(CVes_CommonBarEditDlg::kIdBatchAdd)),
                          Qt::LeftButton);
    }

    std::vector<std::unique_ptr<CVes_ModelRecord>> m_given;
    CVes_CommonBarEditDlg dlg;
};

struct BatchCase {
    const char* name;
    const char* text;
    const char* expected; // keys after the command, blank-separated
};

void PrintTo(const BatchCase& c, std::ostream* os) { *os << c.name; }

class CommonBarBatchAdd : public CommonBarEdit, public ::testing::WithParamInterface<BatchCase> {};

} // namespace

// The list starts with 190-001; typed keys are appended in their order when
// the library has them and the list does not.
TEST_P(CommonBarBatchAdd, AppendsKnownNewShapesInOrder)
{
    open({"190-001"});
    batch(GetParam().text);
    EXPECT_EQ(keysOf(dlg), split(GetParam().expected));
    EXPECT_EQ(dlg.listCtrl()->GetItemCount(), int(dlg.records().size()));
    // The last item is selected.
    EXPECT_EQ(selectedItems(dlg), QList<int>{int(dlg.records().size()) - 1});
    EXPECT_EQ(dlg.m_batchText, QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommonBarBatchAdd,
    ::testing::Values(
        BatchCase{"ThreeInOrder", "191-002;192-001;191-005", "190-001 191-002 192-001 191-005"},
        BatchCase{"TrailingSeparator", "191-002;", "190-001 191-002"},
        BatchCase{"OneTokenWithoutSeparator", "193-001", "190-001 193-001"},
        BatchCase{"AlreadyListed", "190-001;191-001", "190-001 191-001"},
        BatchCase{"RepeatedInTheText", "191-001;191-001;191-1", "190-001 191-001"},
        BatchCase{"NotKeys", "abc;-1-2;190;191--3;;", "190-001"},
        BatchCase{"NotInTheLibrary", "199-001;191-999;101-001;201-008", "190-001"},
        BatchCase{"BlanksAroundKeys", " 191-002 ; 192-1", "190-001 191-002 192-001"},
        BatchCase{"Empty", "", "190-001"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommonBarEdit, StartsWithCopiesOfTheGivenRecordsAndTheExampleText)
{
    m_given = libraryRecords({"191-002", "192-001"});
    dlg.m_categoryName = QStringLiteral("梁");
    dlg.setRecordArray({m_given[0].get(), nullptr, m_given[1].get()});
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.m_idTexts, QStringList({QStringLiteral("191-002"), QStringLiteral("192-001")}));
    ASSERT_EQ(dlg.records().size(), 2u);
    EXPECT_NE(dlg.records()[0].get(), m_given[0].get());
    EXPECT_TRUE(dlg.records()[0]->isSameRecord(m_given[0].get()));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("常用钢筋编辑"));
    EXPECT_EQ(dlg.findChild<QLineEdit*>(QString::number(CVes_CommonBarEditDlg::kIdExample))->text(),
              QStringLiteral("101-001;201-008;106-026"));
    EXPECT_EQ(dlg.findChild<QLineEdit*>(QString::number(CVes_CommonBarEditDlg::kIdName))->text(),
              QStringLiteral("梁"));
    EXPECT_EQ(dlg.listCtrl()->GetItemCount(), 2);
    EXPECT_EQ(dlg.listCtrl()->thumbnailWidth(), 150);
    EXPECT_EQ(dlg.listCtrl()->thumbnailHeight(), 30);
    EXPECT_EQ(dlg.listCtrl()->drawOption1(), 0);
}

TEST_F(CommonBarEdit, OkTakesTheNameAndCancelLeavesIt)
{
    open({"190-001"});
    auto* name = dlg.findChild<QLineEdit*>(QString::number(CVes_CommonBarEditDlg::kIdName));
    name->setText(QStringLiteral("柱"));
    dlg.reject();
    EXPECT_EQ(dlg.m_categoryName, QString());
    test::onNextModal<CVes_CommonBarEditDlg>([](CVes_CommonBarEditDlg* shown) {
        QTest::mouseClick(shown->findChild<QPushButton*>(QString::number(CVes_CommonBarEditDlg::IDOK)),
                          Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), CVes_CommonBarEditDlg::IDOK);
    EXPECT_EQ(dlg.m_categoryName, QStringLiteral("柱"));
    EXPECT_EQ(dlg.getRecordArray().size(), 1u);
}

TEST_F(CommonBarEdit, DeleteRemovesTheLastSelectedShapeAndSelectsItsSuccessor)
{
    open({"190-001", "191-001", "191-002", "192-001"});
    select({0, 2});
    dlg.OnDelete();
    EXPECT_EQ(keysOf(dlg), split("190-001 191-001 192-001"));
    EXPECT_EQ(selectedItems(dlg), QList<int>{2});

    // The last shape: nothing stands at its place afterwards.
    dlg.OnDelete();
    EXPECT_EQ(keysOf(dlg), split("190-001 191-001"));
    EXPECT_TRUE(selectedItems(dlg).isEmpty());

    // Without a selection nothing goes.
    dlg.OnDelete();
    EXPECT_EQ(keysOf(dlg), split("190-001 191-001"));
}

namespace {

struct MoveCase {
    const char* name;
    bool up;
    std::vector<int> selected;
    const char* expected;
    QList<int> selectedAfter;
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

class CommonBarMove : public CommonBarEdit, public ::testing::WithParamInterface<MoveCase> {};

} // namespace

TEST_P(CommonBarMove, SwapsWithTheNeighbourAndKeepsTheShapeSelected)
{
    open({"190-001", "191-001", "191-002"});
    for (int item : GetParam().selected)
        select({item});
    if (GetParam().up)
        dlg.OnMoveUp();
    else
        dlg.OnMoveDown();
    EXPECT_EQ(keysOf(dlg), split(GetParam().expected));
    EXPECT_EQ(selectedItems(dlg), GetParam().selectedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommonBarMove,
    ::testing::Values(
        MoveCase{"UpFromTheMiddle", true, {1}, "191-001 190-001 191-002", {0}},
        MoveCase{"UpTheFirst", true, {0}, "190-001 191-001 191-002", {0}},
        MoveCase{"UpTakesTheFirstSelected", true, {2, 1}, "191-001 190-001 191-002", {0}},
        MoveCase{"DownFromTheMiddle", false, {1}, "190-001 191-002 191-001", {2}},
        MoveCase{"DownTheLast", false, {2}, "190-001 191-001 191-002", {2}},
        MoveCase{"DownTakesTheLastSelected", false, {0, 1}, "190-001 191-002 191-001", {2}},
        MoveCase{"NothingSelected", true, {}, "190-001 191-001 191-002", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommonBarEdit, AddFromTheLibraryKeepsOneEntryPerShape)
{
    open({"190-001"});
    int asked = 0;
    int startLibAsked = -1;
    CSteelRecordId answer(191, 2);
    int result = 1;
    dlg.setRecordChooser([&](int startLib, CVes_ModelRecord* chosen) {
        ++asked;
        startLibAsked = startLib;
        if (result == 1 && !answer.isNull()) {
            CVes_ModelRecordMainLib library;
            chosen->set(library.getModel(answer, 1));
        }
        return result;
    });
    dlg.OnAddFromLib();
    dlg.OnAddFromLib();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(startLibAsked, 0);
    EXPECT_EQ(keysOf(dlg), split("190-001 191-002"));
    EXPECT_EQ(selectedItems(dlg), QList<int>{1});

    result = 2; // cancelled
    answer = CSteelRecordId(192, 1);
    dlg.OnAddFromLib();
    result = 1; // OK without a choice
    answer = CSteelRecordId();
    dlg.OnAddFromLib();
    EXPECT_EQ(keysOf(dlg), split("190-001 191-002"));
}

namespace {

// Answers the next user-number dialog with `text` (OK) or cancels it (null).
void answerInput(const char* text)
{
    test::answerInput(text, "钢筋大样用户自定义编号");
}

// The user numbers as they are in the file.
QString numberOf(CSteelRecordId key, bool start = false)
{
    CVes_SteelModelUserIdLib ids;
    if (start)
        ids.readStartFile();
    else
        ids.readFile();
    return ids.getUseId(key);
}

CSteelRecordId ownerOf(const char* number)
{
    CVes_SteelModelUserIdLib ids;
    ids.readFile();
    return ids.getRecordId(QString::fromUtf8(number));
}

} // namespace

TEST_F(CommonBarEdit, UserNumberIsSavedAndShownInTheCaption)
{
    test::HostScope host;
    {
        CVes_SteelModelUserIdLib ids;
        ids.addRecord(CSteelRecordId(190, 1), QStringLiteral("Z9"), 1);
        ASSERT_TRUE(ids.writeFile());
    }
    open({"190-001", "191-002"});
    select({1});
    answerInput("L2");
    dlg.OnAddUserNumber();
    EXPECT_EQ(numberOf(CSteelRecordId(191, 2)), QStringLiteral("L2"));
    EXPECT_EQ(numberOf(CSteelRecordId(190, 1)), QStringLiteral("Z9"));
    EXPECT_EQ(dlg.listCtrl()->GetItemText(1), QStringLiteral("191-002(自定义：L2)"));
    EXPECT_TRUE(host->messages().empty());

    // A number another shape holds: the user is asked; No keeps it there.
    select({1});
    host->script({Answer::No});
    answerInput("Z9");
    dlg.OnAddUserNumber();
    ASSERT_EQ(host->messageTexts(), QStringList{QStringLiteral("用户自定义编号[Z9]已经用于[190-1],是否继续？")});
    EXPECT_EQ(numberOf(CSteelRecordId(190, 1)), QStringLiteral("Z9"));
    EXPECT_EQ(numberOf(CSteelRecordId(191, 2)), QStringLiteral("L2"));

    // Yes moves it, and the shape's former number goes.
    host->clear();
    select({1});
    host->script({Answer::Yes});
    answerInput("Z9");
    dlg.OnAddUserNumber();
    EXPECT_EQ(host->messageTexts().size(), 1);
    EXPECT_EQ(numberOf(CSteelRecordId(190, 1)), QString());
    EXPECT_EQ(ownerOf("Z9"), CSteelRecordId(191, 2));
    EXPECT_EQ(ownerOf("L2"), CSteelRecordId());
    EXPECT_EQ(dlg.listCtrl()->GetItemText(0), QStringLiteral("190-001"));
    EXPECT_EQ(dlg.listCtrl()->GetItemText(1), QStringLiteral("191-002(自定义：Z9)"));
}

TEST_F(CommonBarEdit, UserNumberNeedsASelectionAndStopsOnCancel)
{
    test::HostScope host;
    QFile::remove(CVes_SteelModelUserIdLib::steelFilePath());
    open({"190-001"});
    dlg.OnAddUserNumber(); // no selection: no dialog either
    select({0});
    answerInput(nullptr);
    dlg.OnAddUserNumber();
    EXPECT_FALSE(QFile::exists(CVes_SteelModelUserIdLib::steelFilePath()));
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(CommonBarEdit, AFailedSaveOfTheUserNumbersIsReported)
{
    test::HostScope host;
    const QString path = CVes_SteelModelUserIdLib::steelFilePath();
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the file should be
    open({"190-001"});
    select({0});
    answerInput("A1");
    dlg.OnAddUserNumber();
    QDir(path).removeRecursively();
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Stop);
    EXPECT_TRUE(host->messages()[0].text.contains(path));
    EXPECT_EQ(dlg.listCtrl()->GetItemText(0), QStringLiteral("190-001"));
}

TEST(CommonBarEditStart, StartStylesUseTheirOwnLibraryAndNumbers)
{
    test::HostScope host;
    CVes_CommonBarEditDlg dlg;
    dlg.m_startLib = 1;
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.listCtrl()->thumbnailWidth(), 90);
    EXPECT_EQ(dlg.listCtrl()->thumbnailHeight(), 70);

    dlg.findChild<QLineEdit*>(QString::number(CVes_CommonBarEditDlg::kIdBatchText))
        ->setText(QStringLiteral("190-002;190-001;191-001"));
    dlg.OnBatchAdd();
    EXPECT_EQ(keysOf(dlg), split("190-002 190-001"));

    dlg.listCtrl()->SetItemState(0, kSelected, kSelected);
    answerInput("S1");
    dlg.OnAddUserNumber();
    EXPECT_EQ(numberOf(CSteelRecordId(190, 2), true), QStringLiteral("S1"));
    EXPECT_EQ(numberOf(CSteelRecordId(190, 2), false), QString());
    EXPECT_EQ(dlg.listCtrl()->GetItemText(0), QStringLiteral("190-002(自定义：S1)"));
    test::saveScreenshot(dlg, "commonbaredit-start");
}

TEST_F(CommonBarEdit, Screenshot)
{
    dlg.m_categoryName = QStringLiteral("梁");
    open({"190-001", "191-001", "191-002", "191-005", "192-001"});
    dlg.resize(760, 520);
    select({2});
    test::saveScreenshot(dlg, "commonbaredit");
}
