#include "app/shell/rodostartview.h"

#include "app/shell/mainframe.h"
#include "app/shell/myrdapp.h"
#include "app/shell/resourceids.h"
#include "platform/hostservices.h"

#include <QImage>
#include <QTextDocument>

namespace {

constexpr QLatin1StringView kScheme("app:");

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

void CRODOStartView::onAnchorClicked(const QUrl& url)
{
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
