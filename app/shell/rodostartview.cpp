#include "app/shell/rodostartview.h"

#include "app/panes/resourceids.h"
#include "app/shell/mainframe.h"
#include "app/shell/myrdapp.h"
#include "platform/hostservices.h"

#include "platform/ui/docmanager.h"
#include "platform/ui/doctemplate.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QTextDocument>

namespace {

constexpr QLatin1StringView kScheme("app:");
constexpr QLatin1StringView kRecentScheme("recent");
// Where the page takes the recent work.
constexpr QLatin1StringView kRecentMarker("<!--recent-->");
// As many projects as the 工程 menu lists.
constexpr int kRecentProjectsShown = ID_RECENT_PROJECT_LAST - ID_RECENT_PROJECT_FIRST + 1;

struct Button {
    const char* picture;
    const char* hover;
};

// The buttons' pictures at rest and under the mouse, by link number.
constexpr Button kButtons[] = {{"img/newfilex.svg", "img/newfilex2.svg"},
                               {"img/openfilex.svg", "img/openfilex1.svg"},
                               {"img/newitemx.svg", "img/newitemx2.svg"},
                               {"img/openitemx.svg", "img/openitemx2.svg"},
                               {"img/jiaochengx.svg", "img/jiaochengx2.svg"},
                               {"img/gengxinx.svg", "img/gengxinx2.svg"}};

// The link number of an "app:" link, or 0.
int buttonOf(const QString& link)
{
    if (!link.startsWith(kScheme, Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int number = link.mid(kScheme.size()).toInt(&ok);
    return ok && number >= 1 && number <= 6 ? number : 0;
}

void runMainFrameCommand(int id)
{
    if (CMyRdApp* app = CMyRdApp::instance())
        if (CMainFrame* frame = app->mainFrame())
            frame->OnCommand(id);
}

// One list of the recent work: each entry a link with its name, the folder
// it lies in below it.
QString recentList(const char* heading, const QStringList& paths, const char* kind)
{
    QString html = QStringLiteral("<td class=\"recent\" valign=\"top\"><p class=\"recent\">%1</p>")
                       .arg(QString::fromUtf8(heading));
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QFileInfo entry(QDir::cleanPath(paths[i]));
        html += QStringLiteral("<p class=\"entry\"><a class=\"recent\" href=\"%1:%2/%3\">%4</a><br>"
                               "<span class=\"path\">%5</span></p>")
                    .arg(kRecentScheme, QString::fromLatin1(kind))
                    .arg(i)
                    .arg(entry.fileName().toHtmlEscaped(),
                         QDir::toNativeSeparators(entry.path()).toHtmlEscaped());
    }
    if (paths.isEmpty())
        html += QStringLiteral("<p class=\"entry\"><span class=\"path\">（还没有）</span></p>");
    return html + QStringLiteral("</td>");
}

} // namespace

CRODOStartView::CRODOStartView(QWidget* parent) : QTextBrowser(parent), platform::View(this)
{
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTextBrowser::anchorClicked, this, &CRODOStartView::onAnchorClicked);
    connect(this, qOverload<const QUrl&>(&QTextBrowser::highlighted), this,
            &CRODOStartView::onHighlighted);
}

void CRODOStartView::OnInitialUpdate()
{
    setSource(QUrl(QString::fromLatin1(kPage)));
}

QString CRODOStartView::recentWorkHtml(const QStringList& projects, const QStringList& files)
{
    if (projects.isEmpty() && files.isEmpty())
        return {};
    return QStringLiteral("<h2>最近的工作</h2><table cellspacing=\"8\"><tr>")
           + recentList("最近的工程", projects, "project") + recentList("最近的文件", files, "file")
           + QStringLiteral("</tr></table>");
}

QStringList CRODOStartView::recentProjects() const
{
    return readRecentProjects(kRecentProjectsShown).entries();
}

QStringList CRODOStartView::recentFiles() const
{
    const platform::DocTemplate* docTemplate = GetDocument() ? GetDocument()->GetDocTemplate() : nullptr;
    platform::DocManager* manager = docTemplate ? docTemplate->manager() : nullptr;
    return manager ? manager->recentFiles().entries() : QStringList();
}

QVariant CRODOStartView::loadResource(int type, const QUrl& name)
{
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::HtmlResource || name != QUrl(QString::fromLatin1(kPage)))
        return resource;
    m_shownProjects = recentProjects();
    m_shownFiles = recentFiles();
    QString page = QString::fromUtf8(resource.toByteArray());
    page.replace(kRecentMarker, recentWorkHtml(m_shownProjects, m_shownFiles));
    return page;
}

void CRODOStartView::refreshRecentWork()
{
    if (!source().isEmpty() && (recentProjects() != m_shownProjects || recentFiles() != m_shownFiles))
        reload();
}

void CRODOStartView::OnActivateView(bool bActivate, platform::View*, platform::View*)
{
    if (bActivate)
        refreshRecentWork();
}

void CRODOStartView::changeEvent(QEvent* event)
{
    QTextBrowser::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshRecentWork();
}

void CRODOStartView::openRecent(const QUrl& url)
{
    const QString kind = url.path().section(u'/', 0, 0);
    bool ok = false;
    const int index = url.path().section(u'/', 1).toInt(&ok);
    if (!ok || index < 0)
        return;
    if (kind == u"project" && index < kRecentProjectsShown) {
        runMainFrameCommand(ID_RECENT_PROJECT_FIRST + index);
    } else if (kind == u"file" && index < platform::DocManager::kRecentFiles) {
        if (CMyRdApp* app = CMyRdApp::instance())
            app->OnCmdMsg(ID_FILE_MRU_FILE1 + index, nullptr);
    }
    // The lists have changed their order.
    refreshRecentWork();
}

void CRODOStartView::onAnchorClicked(const QUrl& url)
{
    if (url.scheme() == kRecentScheme) {
        openRecent(url);
        return;
    }
    bool cancel = false;
    OnBeforeNavigate2(url, cancel);
    if (cancel)
        return;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"http" || scheme == u"https" || scheme == u"mailto")
        platform::host().openWithDesktop(url.toString());
    else
        setSource(url);
}

void CRODOStartView::OnBeforeNavigate2(const QUrl& url, bool& cancel)
{
    const QString link = url.toString();
    if (!link.startsWith(kScheme, Qt::CaseInsensitive))
        return;
    cancel = true;
    OnAppCmd(link.mid(kScheme.size()));
}

void CRODOStartView::OnAppCmd(const QString& command)
{
    CMyRdApp* app = CMyRdApp::instance();
    const QString text = command.trimmed();
    if (text.compare(u"1", Qt::CaseInsensitive) == 0) {
        if (app)
            app->OnFileNew();
    } else if (text.compare(u"2", Qt::CaseInsensitive) == 0) {
        if (app)
            app->OnFileOpen();
    } else if (text.compare(u"3", Qt::CaseInsensitive) == 0) {
        runMainFrameCommand(ID_PROJECT_NEW);
    } else if (text.compare(u"4", Qt::CaseInsensitive) == 0) {
        runMainFrameCommand(ID_PROJECT_OPEN);
    } else if (text.compare(u"5", Qt::CaseInsensitive) == 0) {
        runMainFrameCommand(ID_HELP_TUTORIAL);
    } else if (text.compare(u"6", Qt::CaseInsensitive) == 0) {
        runMainFrameCommand(ID_CHECK_UPDATE);
    }
}

void CRODOStartView::onHighlighted(const QUrl& url)
{
    const int button = buttonOf(url.toString());
    if (button == m_hovered)
        return;
    if (m_hovered)
        showButton(m_hovered, false);
    m_hovered = button;
    if (button)
        showButton(button, true);
}

void CRODOStartView::showButton(int number, bool hover)
{
    const Button& b = kButtons[number - 1];
    const QUrl base = source();
    const QUrl shown = base.resolved(QUrl(QString::fromLatin1(b.picture)));
    const QUrl picture = base.resolved(QUrl(QString::fromLatin1(hover ? b.hover : b.picture)));
    const QImage image(picture.toString().replace(QStringLiteral("qrc:"), QStringLiteral(":")));
    if (image.isNull())
        return;
    // The page refers to the picture at rest by its name; the picture under
    // the mouse takes its place in the page's store of pictures.
    document()->addResource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(b.picture)), image);
    document()->addResource(QTextDocument::ImageResource, shown, image);
    viewport()->update();
}
