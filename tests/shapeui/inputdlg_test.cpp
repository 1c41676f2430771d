#include "shapeui/inputdlg.h"

#include "tests/support/modal.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Shown {
    QString title;
    QString prompt;
    QString text;
};

// Runs the dialog; `act` works on it once it is shown.
int run(CVes_InputDlg& dlg, Shown& shown, const std::function<void(CVes_InputDlg&)>& act)
{
    test::onNextModal<CVes_InputDlg>([&](CVes_InputDlg* d) {
        shown.title = d->windowTitle();
        shown.prompt = d->findChild<QGroupBox*>(QString::number(CVes_InputDlg::kIdPromptFrame))->title();
        shown.text = d->findChild<QLineEdit*>(QString::number(CVes_InputDlg::kIdText))->text();
        act(*d);
    });
    return dlg.DoModal();
}

QLineEdit* edit(CVes_InputDlg& dlg)
{
    return dlg.findChild<QLineEdit*>(QString::number(CVes_InputDlg::kIdText));
}

void click(CVes_InputDlg& dlg, int id)
{
    QTest::mouseClick(dlg.findChild<QPushButton*>(QString::number(id)), Qt::LeftButton);
}

TEST(InputDlg, DefaultsWithoutSet)
{
    CVes_InputDlg dlg;
    Shown shown;
    EXPECT_EQ(run(dlg, shown, [](CVes_InputDlg& d) { click(d, CVes_InputDlg::IDCANCEL); }),
              CVes_InputDlg::IDCANCEL);
    EXPECT_EQ(shown.title, QStringLiteral("输入"));
    EXPECT_EQ(shown.prompt, QStringLiteral("请输入"));
    EXPECT_EQ(shown.text, QString());
    EXPECT_EQ(dlg.findChild<QPushButton*>(QString::number(CVes_InputDlg::IDOK))->text(), QStringLiteral("确定"));
    EXPECT_EQ(dlg.findChild<QPushButton*>(QString::number(CVes_InputDlg::IDCANCEL))->text(),
              QStringLiteral("取消"));
}

TEST(InputDlg, OkReturnsTheTextUntrimmed)
{
    CVes_InputDlg dlg;
    dlg.set(QStringLiteral("钢筋大样用户自定义编号"), QStringLiteral("输入自定义编号"), QStringLiteral("old"));
    Shown shown;
    const int result = run(dlg, shown, [](CVes_InputDlg& d) {
        edit(d)->clear();
        QTest::keyClicks(edit(d), QStringLiteral("  L 12 "));
        click(d, CVes_InputDlg::IDOK);
    });
    EXPECT_EQ(result, CVes_InputDlg::IDOK);
    EXPECT_EQ(shown.title, QStringLiteral("钢筋大样用户自定义编号"));
    EXPECT_EQ(shown.prompt, QStringLiteral("输入自定义编号"));
    EXPECT_EQ(shown.text, QStringLiteral("old"));
    EXPECT_EQ(dlg.getText(), QStringLiteral("  L 12 "));
}

TEST(InputDlg, ReturnKeyIsOk)
{
    CVes_InputDlg dlg;
    dlg.set(QStringLiteral("t"), QStringLiteral("p"), QStringLiteral("子库"));
    Shown shown;
    EXPECT_EQ(run(dlg, shown, [](CVes_InputDlg& d) { QTest::keyClick(edit(d), Qt::Key_Return); }),
              CVes_InputDlg::IDOK);
    EXPECT_EQ(dlg.getText(), QStringLiteral("子库"));
}

TEST(InputDlg, CancelKeepsTheTextAsSet)
{
    CVes_InputDlg dlg;
    dlg.set(QStringLiteral("t"), QStringLiteral("p"), QStringLiteral("5"));
    Shown shown;
    EXPECT_EQ(run(dlg, shown,
                  [](CVes_InputDlg& d) {
                      QTest::keyClicks(edit(d), QStringLiteral("99"));
                      QTest::keyClick(edit(d), Qt::Key_Escape);
                  }),
              CVes_InputDlg::IDCANCEL);
    EXPECT_EQ(dlg.getText(), QStringLiteral("5"));

    // Shown again, the dialog starts from the text as set, not as typed.
    EXPECT_EQ(run(dlg, shown, [](CVes_InputDlg& d) { click(d, CVes_InputDlg::IDOK); }), CVes_InputDlg::IDOK);
    EXPECT_EQ(shown.text, QStringLiteral("5"));
    EXPECT_EQ(dlg.getText(), QStringLiteral("5"));
}

} // namespace
