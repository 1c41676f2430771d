// Every dialog the 设置, 工程 and 表单 menus open fits a 1366 × 768 screen
// with the buttons that close it in view, and a dialog that would not fit
// scrolls its contents while its buttons stay put.

#include "app/panes/resourceids.h"
#include "app/shell/mainframe.h"
#include "envora/ui/infodialogs.h"
#include "platform/ui/dialogfit.h"
#include "tables/quantity/ui/rawstockdlg.h"
#include "tests/app/support/appfixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

const QRect kSmallScreen(0, 0, 1366, 768);

struct MenuDialog {
    const char* menu;
    int command;
    const char* title;
    bool needsSheet; // the command works on the sheet shown
};

void PrintTo(const MenuDialog& c, std::ostream* os)
{
    *os << c.menu << " " << c.title;
}

// The buttons that close `dialog`: those of its button boxes, and the push
// buttons named as OK, Cancel or Close.
QList<QAbstractButton*> closingButtons(QWidget* dialog)
{
    QList<QAbstractButton*> found;
    for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>())
        found << box->buttons();
    static const QStringList names{QStringLiteral("确定"), QStringLiteral("取消"), QStringLiteral("关闭"),
                                   QStringLiteral("OK"), QStringLiteral("Cancel"), QStringLiteral("Close")};
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        QString text = button->text();
        text.remove(u'&');
        if (names.contains(text.trimmed()) && !found.contains(button))
            found << button;
    }
    return found;
}

// Runs `act` on the first modal window that comes up, then closes it.
void onModal(const std::function<void(QWidget*)>& act, bool& seen, int tries = 300)
{
    QTimer::singleShot(10, [act, &seen, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (tries > 0)
                onModal(act, seen, tries - 1);
            return;
        }
        seen = true;
        act(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
}

class MenuDialogs : public test::AppFixture, public ::testing::WithParamInterface<MenuDialog> {
protected:
    void SetUp() override
    {
        test::AppFixture::SetUp();
        platform::DialogFitter::setAvailableArea(kSmallScreen);
        envora::setRawStockEditor(&CVes_RawStockDlg::editDefaultStock);
    }
    void TearDown() override
    {
        envora::setRawStockEditor({});
        platform::DialogFitter::setAvailableArea(QRect());
        test::AppFixture::TearDown();
    }
};

TEST_P(MenuDialogs, FitTheScreenWithTheirButtonsInView)
{
    const MenuDialog& c = GetParam();
    ASSERT_TRUE(app->InitInstance({}));
    if (c.needsSheet) {
        ASSERT_TRUE(app->OnFileNew());
    }
    bool seen = false;
    onModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_LE(dialog->frameGeometry().width(), kSmallScreen.width());
        EXPECT_LE(dialog->frameGeometry().height(), kSmallScreen.height());
        const QList<QAbstractButton*> buttons = closingButtons(dialog);
        EXPECT_FALSE(buttons.isEmpty()) << "no button closes it";
        for (QAbstractButton* button : buttons) {
            const QRect where(button->mapTo(dialog, QPoint(0, 0)), button->size());
            EXPECT_TRUE(button->isVisible()) << button->text().toStdString();
            EXPECT_TRUE(dialog->rect().contains(where)) << button->text().toStdString();
            // Not hidden under the edge of a scrolled area.
            EXPECT_EQ(button->visibleRegion(), QRegion(button->rect())) << button->text().toStdString();
        }
    }, seen);
    app->mainFrame()->OnCommand(c.command);
    EXPECT_TRUE(seen) << "no dialog came up";
}

INSTANTIATE_TEST_SUITE_P(
    EveryMenu, MenuDialogs,
    ::testing::Values(MenuDialog{"设置", ID_SET_STEELWEIGHT, "钢筋规格与理论重量", false},
                      MenuDialog{"设置", ID_SET_WEISHU, "钢筋尺寸尾数设置", false},
                      MenuDialog{"设置", ID_SET_LENCALTYPE, "钢筋断料长度计算模式", false},
                      MenuDialog{"设置", ID_SET_WANZHER, "纵筋弯折内径与弯钩弯后平直长度设置", false},
                      MenuDialog{"设置", ID_SET_WANZHEJINGYAN, "纵筋弯曲调整及弯钩增加长度经验数据设置", false},
                      MenuDialog{"设置", ID_SET_GU_WANZHER, "箍筋弯折内径与弯钩弯后平直长度设置", false},
                      MenuDialog{"设置", ID_SET_GU_WANZHEJINGYAN, "箍筋弯曲调整及弯钩增加长度经验数据设置", false},
                      MenuDialog{"设置", ID_SET_YUANCAI, "默认钢筋原材库管理", false},
                      MenuDialog{"设置", ID_MANAGE_LIB, "钢筋大样库", false},
                      MenuDialog{"设置", ID_MANAGE_STARTLIB, "示意图库", false},
                      MenuDialog{"设置", ID_DEFAULT_TEMPLATE, "设置默认模板", false},
                      MenuDialog{"设置", ID_USER_HABITS, "用户习惯定制", false},
                      MenuDialog{"设置", ID_AUTOSAVE, "自动保存与备份设置", false},
                      MenuDialog{"工程", ID_PROJECT_NEW, "新建工程", false},
                      MenuDialog{"工程", ID_PROJECT_OPEN, "打开工程", false},
                      MenuDialog{"工程", ID_PROJECT_PICK_SUMMARY, "钢筋量选择汇总", false},
                      MenuDialog{"表单", ID_TEXT_COLOR, "文字颜色", true}));

// A dialog taller than the screen

class TallDialog : public ::testing::Test {
protected:
    TallDialog()
    {
        auto* layout = new QVBoxLayout(&dialog);
        for (int i = 0; i < 60; ++i)
            layout->addWidget(new QLabel(QStringLiteral("第%1行").arg(i), &dialog));
        buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        layout->addWidget(buttons);
        dialog.adjustSize();
    }

    QDialog dialog;
    QDialogButtonBox* buttons = nullptr;
};

TEST_F(TallDialog, ScrollsItsContentsAndKeepsItsButtonsBelow)
{
    ASSERT_GT(dialog.height(), 400);
    ASSERT_TRUE(platform::DialogFitter::fit(&dialog, QRect(0, 0, 600, 400)));
    EXPECT_LE(dialog.height(), 400);
    auto* area = dialog.findChild<QScrollArea*>();
    ASSERT_TRUE(area);
    EXPECT_EQ(buttons->parentWidget(), &dialog);
    // Every line is still there, inside the scrolled area.
    EXPECT_EQ(area->widget()->findChildren<QLabel*>().size(), 60);
    dialog.show();
    EXPECT_EQ(buttons->visibleRegion(), QRegion(buttons->rect()));
    EXPECT_LE(buttons->geometry().bottom(), dialog.rect().bottom());
    // Showing it again changes nothing more.
    EXPECT_FALSE(platform::DialogFitter::fit(&dialog, QRect(0, 0, 600, 400)));
    EXPECT_EQ(dialog.findChildren<QScrollArea*>().size(), 1);
}

TEST_F(TallDialog, ADialogThatFitsIsLeftAsItIs)
{
    const QSize before = dialog.size();
    EXPECT_FALSE(platform::DialogFitter::fit(&dialog, QRect(QPoint(0, 0), before + QSize(0, 40))));
    EXPECT_EQ(dialog.size(), before);
    EXPECT_FALSE(dialog.findChild<QScrollArea*>());
}

} // namespace
