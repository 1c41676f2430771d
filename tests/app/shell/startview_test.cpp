// The start page: its six "app:" buttons run the program's commands, other
// links are followed, unknown numbers do nothing; the buttons change their
// picture under the mouse. Also: every command of the main window's menus
// and toolbars has its texts, and every toolbar button its icon.

#include "app/panes/resourceids.h"
#include "app/shell/mainframe.h"
#include "app/shell/myrdapp.h"
#include "app/shell/rodostartview.h"
#include "app/shell/shellresources.h"
#include "platform/profile.h"
#include "platform/ui/doctemplate.h"
#include "platform/ui/document.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "tests/support/recordinghost.h"
#include "widgara/resources.h"

#include <QCoreApplication>
#include <QImage>
#include <QSettings>
#include <QTest>
#include <QTextDocument>
#include "tests/app/support/appfixture.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

// A start page that records the commands of its links.
class RecordingStartView : public CRODOStartView {
public:
    using CRODOStartView::CRODOStartView;
    void OnAppCmd(const QString& command) override { commands << command; }
    QStringList commands;
};

struct LinkCase {
    const char* url;
    bool cancelled;
    const char* command;
};

void PrintTo(const LinkCase& c, std::ostream* os)
{
    *os << c.url;
}

class StartPageLinks : public ::testing::TestWithParam<LinkCase> {};

TEST_P(StartPageLinks, AppLinksRunACommandInsteadOfBeingFollowed)
{
    RecordingStartView view;
    bool cancel = false;
    view.OnBeforeNavigate2(QUrl(QString::fromUtf8(GetParam().url)), cancel);
    EXPECT_EQ(cancel, GetParam().cancelled);
    const QStringList expected = GetParam().cancelled ? QStringList{QString::fromUtf8(GetParam().command)} : QStringList();
    EXPECT_EQ(view.commands, expected);
}

INSTANTIATE_TEST_SUITE_P(Urls, StartPageLinks,
                         ::testing::Values(LinkCase{"app:1", true, "1"}, LinkCase{"APP:3", true, "3"},
                                           LinkCase{"App:6", true, "6"}, LinkCase{"app:9", true, "9"},
                                           LinkCase{"qrc:/startpage/START.html", false, ""},
                                           LinkCase{"http://example.invalid/", false, ""},
                                           LinkCase{"apple:1", false, ""}));

TEST(StartPage, ShowsItsSixButtonsWithTheirPictures)
{
    registerShellResources();
    CRODOStartView view;
    view.resize(900, 600);
    view.OnInitialUpdate();
    const QString html = view.document()->toHtml();
    for (int i = 1; i <= 6; ++i)
        EXPECT_TRUE(html.contains(QStringLiteral("href=\"app:%1\"").arg(i))) << i;
    const QString text = view.toPlainText();
    for (const char* caption : {"新建配料单", "打开配料单", "新建工程", "打开工程", "快速教程", "软件升级"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(caption))) << caption;
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QImage picture =
        view.document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("img/newfilex.svg"))).value<QImage>();
    EXPECT_EQ(picture.size(), QSize(64, 64));
    test::saveScreenshot(view, "startpage");
}

TEST(StartPage, AButtonShowsItsSecondPictureWhileTheMouseIsOverIt)
{
    registerShellResources();
    CRODOStartView view;
    view.OnInitialUpdate();
    const QUrl name(QStringLiteral("img/openfilex.svg"));
    const auto shown = [&view, &name] {
        return view.document()->resource(QTextDocument::ImageResource, name).value<QImage>();
    };
    const QImage rest(QStringLiteral(":/startpage/img/openfilex.svg"));
    const QImage hover(QStringLiteral(":/startpage/img/openfilex1.svg"));
    ASSERT_NE(rest, hover);
    Q_EMIT view.highlighted(QUrl(QStringLiteral("app:2")));
    EXPECT_EQ(shown(), hover);
    Q_EMIT view.highlighted(QUrl());
    EXPECT_EQ(shown(), rest);
}

// The buttons on the running program.
class StartPageCommands : public test::AppFixture {
protected:
    void SetUp() override
    {
        test::AppFixture::SetUp();
        ASSERT_TRUE(app->InitInstance({}));
        app->docManager().setFileDialog([](bool, const QString&, const QString&, const QString&) { return QString(); });
        start = app->docManager().activeDocument();
        ASSERT_TRUE(start);
        view = dynamic_cast<CRODOStartView*>(start->views().front());
        ASSERT_TRUE(view);
    }
    void click(const char* link) { Q_EMIT view->anchorClicked(QUrl(QString::fromUtf8(link))); }

    platform::Document* start = nullptr;
    CRODOStartView* view = nullptr;
};

TEST_F(StartPageCommands, NewBarListOpensBesideTheStartPage)
{
    const QUrl page = view->source();
    click("app:1");
    ASSERT_EQ(app->docManager().documents().size(), 2u);
    EXPECT_EQ(app->docManager().activeDocument()->GetDocTemplate(), app->m_pSetUpTemplate);
    EXPECT_EQ(view->source(), page);
}

TEST_F(StartPageCommands, TheTutorialAndTheUpdateCheckRun)
{
    click("app:5");
    ASSERT_EQ(host->opened().size(), 1);
    EXPECT_TRUE(host->opened().first().endsWith(QStringLiteral("tutorial.html")));
    click("APP:6");
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().first().contains(QStringLiteral("没有设置更新服务器")));
}

TEST_F(StartPageCommands, AnUnknownNumberDoesNothing)
{
    const QUrl page = view->source();
    click("app:7");
    click("app:");
    click("app:2"); // the open dialog, cancelled
    EXPECT_EQ(view->source(), page);
    EXPECT_EQ(app->docManager().documents().size(), 1u);
    EXPECT_TRUE(host->messageTexts().isEmpty());
    EXPECT_TRUE(host->opened().isEmpty());
}

// the main window's resources

TEST(ShellResources, EveryCommandHasItsTextsAndEveryButtonItsIcon)
{
    registerShellResources();
    const widgara::Resources& r = widgara::resources();
    std::vector<int> commands;
    std::function<void(const std::vector<widgara::MenuEntry>&)> collect =
        [&](const std::vector<widgara::MenuEntry>& entries) {
            for (const auto& e : entries) {
                if (!e.popup.empty())
                    collect(e.popup);
                else if (e.id)
                    commands.push_back(e.id);
            }
        };
    ASSERT_TRUE(r.menu(IDR_MAINFRAME));
    collect(*r.menu(IDR_MAINFRAME));
    for (int bar : {IDR_MAINFRAME, IDR_TOOLBAR_VIEW, IDR_TOOLBAR_TOOLS, IDR_TOOLBAR_SHEET, IDR_TOOLBAR_ROWS}) {
        ASSERT_TRUE(r.toolBar(bar)) << bar;
        const std::map<int, QIcon>* icons = r.iconSet(bar);
        ASSERT_TRUE(icons) << bar;
        for (int id : *r.toolBar(bar)) {
            if (id == 0)
                continue;
            commands.push_back(id);
            if (id == ID_ZOOM_COMBO || id == ID_PAGE_COMBO)
                continue;
            const auto icon = icons->find(id);
            ASSERT_NE(icon, icons->end()) << id;
            EXPECT_FALSE(icon->second.pixmap(16, 16).isNull()) << id;
        }
    }
    for (int id : commands) {
        EXPECT_FALSE(r.prompt(id).isEmpty()) << id;
        EXPECT_FALSE(r.tooltip(id).isEmpty()) << id;
    }
    EXPECT_FALSE(programIcon().pixmap(32, 32).isNull());
}

} // namespace
