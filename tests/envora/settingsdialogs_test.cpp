// The settings dialogs: what the user changes is stored on OK and in force at
// once, Cancel stores nothing, and a value that cannot be used is refused
// with a message while the dialog stays open.

#include "envora/rules.h"
#include "envora/steelyuancaidata.h"
#include "envora/ui/infodialogs.h"
#include "envora/ui/rulesdialogs.h"
#include "envora/ui/steelgradecombox.h"

#include "platform/savefile.h"
#include "tests/envora/envorafixture.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "tests/support/recordinghost.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

using envora::BarFamily;

void setCell(QTableWidget* table, int row, int column, const QString& text)
{
    table->item(row, column)->setText(text);
}

// One dialog, an edit the user makes in it, and the value that shows whether
// the edit is in force.
struct DialogCase {
    const char* name;
    std::function<std::unique_ptr<envora::SettingsDialog>()> open;
    std::function<void(envora::SettingsDialog&)> edit;
    std::function<double()> inForce;
    double after;
};

std::ostream& operator<<(std::ostream& os, const DialogCase& c)
{
    return os << c.name;
}

template <typename Dialog>
Dialog& as(envora::SettingsDialog& d)
{
    return static_cast<Dialog&>(d);
}

const DialogCase kDialogCases[] = {
    {"SizeWeight", [] { return std::make_unique<envora::SizeTableDialog>(); },
     [](envora::SettingsDialog& d) { setCell(as<envora::SizeTableDialog>(d).table(), 7, 1, "0.9"); },
     [] { return Info_getSteelWeight(12.0f, 0); }, 0.9},
    {"SizeGrade", [] { return std::make_unique<envora::SizeTableDialog>(); },
     [](envora::SettingsDialog& d) {
         CVes_SteelGradeComBox* box = as<envora::SizeTableDialog>(d).gradeBox(7);
         box->setCurrentIndex(box->indexOfValue(4));
     },
     [] { return double(Info_getSteelGrade(12.0f)); }, 4},
    {"DataEnd", [] { return std::make_unique<envora::DataEndDialog>(); },
     [](envora::SettingsDialog& d) {
         as<envora::DataEndDialog>(d).rounding(BarFamily::Gu)->setCurrentIndex(envora::dataend::kUp10);
     },
     [] { return double(Info_GetSteelDataEnd(1003, 1, 0)); }, 1010},
    {"CalcType", [] { return std::make_unique<envora::CalcTypeDialog>(); },
     [](envora::SettingsDialog& d) { as<envora::CalcTypeDialog>(d).calcType(BarFamily::Steel)->setCurrentIndex(2); },
     [] { return double(Info_GetSteelLenCalType()); }, 2},
    {"AdjustType", [] { return std::make_unique<envora::CalcTypeDialog>(); },
     [](envora::SettingsDialog& d) { as<envora::CalcTypeDialog>(d).adjustType(BarFamily::Gu)->setCurrentIndex(1); },
     [] { return double(Info_GetGuSteelLenAdjustType()); }, 1},
    {"SteelBendDiameter", [] { return std::make_unique<envora::BendDiameterDialog>(BarFamily::Steel); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendDiameterDialog>(d).diameters(), 2, 0, "5"); },
     [] { return Info_GetSteelWanHuNeiJing(3, 90); }, 5},
    {"GuStraightAfterHook", [] { return std::make_unique<envora::BendDiameterDialog>(BarFamily::Gu); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendDiameterDialog>(d).straights(), 0, 1, "12"); },
     [] { return Info_GetGuSteelWanHouPingZhi(135); }, 12},
    {"SteelHookIncrement", [] { return std::make_unique<envora::BendAdjustDialog>(BarFamily::Steel); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendAdjustDialog>(d).hooksByGrade(), 0, 2, "7"); },
     [] { return Info_GetWanGouZengJiaJiangYanData(180, 1); }, 7},
    {"GuBendAdjust", [] { return std::make_unique<envora::BendAdjustDialog>(BarFamily::Gu); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendAdjustDialog>(d).bendsByGrade(), 2, 3, "-2"); },
     [] { return Info_GetGuWanQuTiaoZhengJiangYanData(90, 3); }, -2},
    {"GuByDiameter", [] { return std::make_unique<envora::BendAdjustDialog>(BarFamily::Gu); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendAdjustDialog>(d).byDiameter(), 7, 1, "77"); },
     [] { return Info_GetGuWanGouZengJiaJiangYanDataDN(90, 12.0f); }, 77},
};

class SettingsDialogs : public test::DefaultSettings, public ::testing::WithParamInterface<DialogCase> {
protected:
    QByteArray fileBytes() const
    {
        QByteArray bytes;
        EXPECT_TRUE(platform::readFile(envora::settingsFilePath(), &bytes));
        return bytes;
    }
    test::HostScope host;
};

TEST_P(SettingsDialogs, OkStoresTheEditAndItAppliesAtOnce)
{
    const DialogCase& c = GetParam();
    ASSERT_NE(c.inForce(), c.after) << "the edit must change something";
    std::unique_ptr<envora::SettingsDialog> dialog = c.open();
    dialog->show();
    c.edit(*dialog);
    test::saveScreenshot(*dialog, c.name);
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(c.inForce(), c.after);
    EXPECT_TRUE(host->messages().empty()) << host->messageTexts().join('\n').toStdString();
    // Written through: a fresh read of the file gives the same.
    envora::reloadSettings();
    EXPECT_DOUBLE_EQ(c.inForce(), c.after);
}

TEST_P(SettingsDialogs, CancelStoresNothing)
{
    const DialogCase& c = GetParam();
    const QByteArray file = fileBytes();
    const double before = c.inForce();
    std::unique_ptr<envora::SettingsDialog> dialog = c.open();
    dialog->show();
    c.edit(*dialog);
    dialog->reject();
    EXPECT_DOUBLE_EQ(c.inForce(), before);
    EXPECT_EQ(fileBytes(), file);
}

INSTANTIATE_TEST_SUITE_P(EachDialog, SettingsDialogs, ::testing::ValuesIn(kDialogCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A typed value the dialog refuses, and the words its message must hold.
struct BadValueCase {
    const char* name;
    std::function<std::unique_ptr<envora::SettingsDialog>()> open;
    std::function<void(envora::SettingsDialog&)> edit;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const BadValueCase& c)
{
    return os << c.name;
}

const BadValueCase kBadValues[] = {
    {"WeightNotANumber", [] { return std::make_unique<envora::SizeTableDialog>(); },
     [](envora::SettingsDialog& d) { setCell(as<envora::SizeTableDialog>(d).table(), 3, 1, "abc"); },
     "钢筋规格表第4行“理论重量(kg/m)”的值“abc”不是有效的数字"},
    {"ZeroWeight", [] { return std::make_unique<envora::SizeTableDialog>(); },
     [](envora::SettingsDialog& d) { setCell(as<envora::SizeTableDialog>(d).table(), 0, 2, "0"); },
     "钢筋理论重量必须大于0"},
    {"RepeatedDiameter", [] { return std::make_unique<envora::SizeTableDialog>(); },
     [](envora::SettingsDialog& d) { setCell(as<envora::SizeTableDialog>(d).table(), 1, 0, "4"); },
     "重复"},
    {"EmptyBendDiameter", [] { return std::make_unique<envora::BendDiameterDialog>(BarFamily::Steel); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendDiameterDialog>(d).diameters(), 1, 1, ""); },
     "弯折内径第2行“135°”的值“”不是有效的数字"},
    {"ZeroBendDiameter", [] { return std::make_unique<envora::BendDiameterDialog>(BarFamily::Gu); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendDiameterDialog>(d).diameters(), 0, 0, "0"); },
     "弯折内径倍数必须大于0"},
    {"NegativeStraight", [] { return std::make_unique<envora::BendDiameterDialog>(BarFamily::Steel); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendDiameterDialog>(d).straights(), 0, 0, "-3"); },
     "弯钩平直段长度倍数不能为负数"},
    {"NegativeHookIncrement", [] { return std::make_unique<envora::BendAdjustDialog>(BarFamily::Steel); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendAdjustDialog>(d).hooksByGrade(), 3, 0, "-1"); },
     "弯钩增加长度不能为负数"},
    {"TextInDiameterTable", [] { return std::make_unique<envora::BendAdjustDialog>(BarFamily::Gu); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendAdjustDialog>(d).byDiameter(), 0, 5, "5mm"); },
     "“5mm”不是有效的数字"},
};

class SettingsDialogRefusal : public test::DefaultSettings,
                              public ::testing::WithParamInterface<BadValueCase> {
protected:
    test::HostScope host;
};

TEST_P(SettingsDialogRefusal, KeepsTheDialogOpenAndStoresNothing)
{
    const BadValueCase& c = GetParam();
    const std::shared_ptr<const envora::Settings> before = envora::settings();
    std::unique_ptr<envora::SettingsDialog> dialog = c.open();
    dialog->show();
    c.edit(*dialog);
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(*envora::settings(), *before);
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_TRUE(host->messages()[0].text.contains(QString::fromUtf8(c.message)))
        << host->messages()[0].text.toStdString();
    EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Warning);
}

INSTANTIATE_TEST_SUITE_P(EachBadValue, SettingsDialogRefusal, ::testing::ValuesIn(kBadValues),
                         [](const auto& info) { return std::string(info.param.name); });

class SettingsDialogRows : public test::DefaultSettings {
protected:
    test::HostScope host;
};

TEST_F(SettingsDialogRows, AddedSizesAreStoredInDiameterOrderAndRemovedOnesGo)
{
    envora::SizeTableDialog dialog;
    dialog.show();
    const int rows = dialog.table()->rowCount();
    dialog.addSize();
    ASSERT_EQ(dialog.table()->rowCount(), rows + 1);
    for (int c = 0; c < 4; ++c)
        setCell(dialog.table(), rows, c, c == 0 ? "7" : "0.302");
    dialog.table()->setCurrentCell(0, 0);  // 4 mm
    dialog.removeSelectedSizes();
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << host->messageTexts().join('\n').toStdString();
    EXPECT_NE(Info_isValidDN(7.0f), 0);
    EXPECT_EQ(Info_isValidDN(4.0f), 0);
    EXPECT_DOUBLE_EQ(Info_getSteelWeight(7.0f, 2), 0.302);
    EXPECT_EQ(Info_getSteelGrade(7.0f), 3);
    const auto& sizes = envora::settings()->sizes;
    EXPECT_TRUE(std::is_sorted(sizes.begin(), sizes.end(),
                               [](const auto& a, const auto& b) { return a.d < b.d; }));
}

TEST_F(SettingsDialogRows, ButtonsSpeakChinese)
{
    envora::DataEndDialog dialog;
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
}

// The program's entry runs the dialog modally; closing it with OK stores.
TEST_F(SettingsDialogRows, EntryRunsTheDialogModally)
{
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto* dialog = qobject_cast<envora::CalcTypeDialog*>(QApplication::activeModalWidget());
        seen = dialog != nullptr;
        if (dialog)
            dialog->dimType(BarFamily::Steel)->setCurrentIndex(1);
        if (QWidget* modal = QApplication::activeModalWidget())
            qobject_cast<QDialog*>(modal)->accept();
    });
    Info_SetSteelLenCalType();
    EXPECT_TRUE(seen);
    EXPECT_EQ(Info_GetSteelDimType(), 1);
}

// raw stock

class RawStockEntry : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = envora::defaultYuanCaiPath();
        platform::readFile(path, &original);
    }
    void TearDown() override
    {
        envora::setRawStockEditor({});
        ASSERT_TRUE(platform::saveFile(path, original));
    }

    // An editor that adds a 16 mm record and answers `ok`.
    void registerEditor(bool ok)
    {
        envora::setRawStockEditor([this, ok](CVes_SteelYuanCaiDataLib& lib, QWidget*) {
            shownCount = lib.count();
            CVes_SteelYuanCaiData record;
            record.DN = 16.0f;
            record.grade = 3;
            record.price = 4100.0f;
            lib.append(record);
            return ok;
        });
    }

    QByteArray fileNow() const
    {
        QByteArray bytes;
        platform::readFile(path, &bytes);
        return bytes;
    }

    QString path;
    QByteArray original;
    int shownCount = -1;
    test::HostScope host;
};

TEST_F(RawStockEntry, OkWritesTheEditedLibraryAndCancelLeavesTheFile)
{
    CVes_SteelYuanCaiDataLib before;
    ASSERT_TRUE(before.readFile(path));

    registerEditor(false);
    Info_SETYuanCai(QString());
    EXPECT_EQ(shownCount, before.count());
    EXPECT_EQ(fileNow(), original);

    registerEditor(true);
    Info_SETYuanCai(QString());
    CVes_SteelYuanCaiDataLib after;
    ASSERT_TRUE(after.readFile(path));
    ASSERT_EQ(after.count(), before.count() + 1);
    EXPECT_FLOAT_EQ(after.at(after.count() - 1)->price, 4100.0f);
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(RawStockEntry, AMissingFileStartsEmptyAndIsCreated)
{
    const QString other = QFileInfo(path).absolutePath() + QStringLiteral("/other_kucun.xml");
    QFile::remove(other);
    registerEditor(true);
    Info_SETYuanCai(other);
    EXPECT_EQ(shownCount, 0);
    CVes_SteelYuanCaiDataLib written;
    EXPECT_TRUE(written.readFile(other));
    EXPECT_EQ(written.count(), 1);
    QFile::remove(other);
}

TEST_F(RawStockEntry, ADamagedFileIsNeitherShownNorOverwritten)
{
    const QByteArray damaged("<STEELYUANCAI><STEEL DN=\"12\"");
    ASSERT_TRUE(platform::saveFile(path, damaged));
    registerEditor(true);
    Info_SETYuanCai(QString());
    EXPECT_EQ(shownCount, -1);
    EXPECT_EQ(fileNow(), damaged);
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_TRUE(host->messages()[0].text.contains(QStringLiteral("无法读取原材库文件")));
}

TEST_F(RawStockEntry, WithoutAnEditorTheUserIsTold)
{
    Info_SETYuanCai(QString());
    EXPECT_EQ(fileNow(), original);
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages()[0].text, QStringLiteral("原材库管理不可用。"));
}

} // namespace
