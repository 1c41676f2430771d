#include "app/shell/mainframe.h"

#include "app/documents/sheetcontainer.h"
#include "app/panes/resourceids.h"
#include "app/shell/shellresources.h"
#include "app/shell/version.h"
#include "platform/hostservices.h"
#include "platform/ui/childframe.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/document.h"
#include "platform/ui/view.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/ui/tableview.h"
#include "widgara/controlcolor.h"
#include "widgara/controlcombobox.h"
#include "widgara/shortcutmanager.h"

#include "app/projects/rodocontrolrecentprojectlist.h"
#include "app/documents/appdata.h"
#include "app/documents/documentframe.h"
#include "app/shell/autosavedlg.h"
#include "app/shell/myrdapp.h"
#include "app/shell/onlineupdate.h"
#include "app/shell/usercustomdlg.h"
#include "envora/ui/infodialogs.h"
#include "envora/usercustom.h"
#include "platform/folders.h"
#include "platform/profile.h"
#include "shapeui/bendkitexports.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

CXTPControlComboBox* g_pZoomCombo = nullptr;
CXTPControlComboBox* g_pPageCombo = nullptr;

namespace {

constexpr int kStatusIntervalMs = 250;
constexpr const char* kNormalLayout = "NormalLayout";
// The recent projects the menus offer.
constexpr int kRecentProjectsShown = ID_RECENT_PROJECT_LAST - ID_RECENT_PROJECT_FIRST + 1;

std::map<int, CMainFrame::PaneWindowFactory>& paneFactories()
{
    static std::map<int, CMainFrame::PaneWindowFactory> factories;
    return factories;
}

// The number a text starts with, read as the C library's atof reads it
// (leading blanks, a sign, digits, a fraction, an exponent); false when the
// text does not start with a number.
bool leadingNumber(const QString& text, double& value)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return false;
    bool ok = false;
    value = QLocale::c().toDouble(match.captured(0).trimmed(), &ok);
    return ok;
}

bool defaultColorDialog(platform::gdi::COLORREF& colour, QWidget* parent)
{
    const QColor chosen = QColorDialog::getColor(Qt::black, parent, QStringLiteral("文字颜色"));
    if (!chosen.isValid())
        return false;
    colour = platform::gdi::RGB(chosen.red(), chosen.green(), chosen.blue());
    return true;
}

} // namespace

CMainFrame::CMainFrame(platform::DocManager* docManager, platform::CommandTarget* appTarget,
                       QWidget* parent)
    : CXTPMDIFrameWnd(parent), m_docManager(docManager), m_appTarget(appTarget),
      m_colorDialog(defaultColorDialog)
{
    setObjectName(QStringLiteral("XTPMainFrame"));
    setWindowTitle(QStringLiteral("Rodo表"));
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    if (m_docManager) {
        m_docManager->setMdiArea(mdiArea());
        connect(m_docManager, &platform::DocManager::activeFrameChanged, this,
                [this] { onActiveFrameChanged(); });
    }
    // The sheet's find window and its other modeless window follow the
    // program into the background and back.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (CVes_TableViewBase* view = getActiveTableView())
            view->showDlg(state == Qt::ApplicationActive);
    });
    m_statusTimer.setInterval(kStatusIntervalMs);
    connect(&m_statusTimer, &QTimer::timeout, this, [this] { OnUpdateStatusPanes(); });
    buildCommandMap();
}

CMainFrame::~CMainFrame()
{
    if (m_docManager && m_docManager->mdiArea() == mdiArea())
        m_docManager->setMdiArea(nullptr);
    if (g_pZoomCombo && g_pZoomCombo->GetCommandBars() == GetCommandBars())
        g_pZoomCombo = nullptr;
    if (g_pPageCombo && g_pPageCombo->GetCommandBars() == GetCommandBars())
        g_pPageCombo = nullptr;
}

bool CMainFrame::LoadFrame()
{
    registerShellResources();
    if (!createStatusBar() || !createCommandBars())
        return false;
    createDockingPanes();
    m_wndClient.Attach(this, true);
    m_wndClient.EnableToolTips(xtpTabToolTipAlways);
    m_wndClient.GetPaintManager()->m_bShowIcons = false;
    m_wndClient.SetFlags(xtpWorkspaceTabsClosable | xtpWorkspaceTabsMovable | xtpWorkspaceFlatTabs);
    CXTPPaintManager::SetTheme(4);
    m_statusTimer.start();
    OnUpdateStatusPanes();
    return true;
}

bool CMainFrame::createStatusBar()
{
    m_wndStatusBar = new CXTPStatusBar(this);
    if (!m_wndStatusBar->Create(this, 0x50008200, AFX_IDW_STATUS_BAR)
        || !m_wndStatusBar->SetIndicators({ID_SEPARATOR, ID_INDICATOR_WEIGHT, ID_INDICATOR_CAPS,
                                           ID_INDICATOR_NUM, ID_INDICATOR_SCRL}))
        return false;
    QFont bold = QApplication::font("QStatusBar");
    bold.setWeight(QFont::Bold);
    m_wndStatusBar->SetIcon(IDI_STATUS_CAPTION, programIcon());
    CXTPStatusBarPane* caption = m_wndStatusBar->AddIndicator(ID_INDICATOR_CAPTION, 0);
    CXTPStatusBarPane* version = m_wndStatusBar->AddIndicator(ID_INDICATOR_VERSION);
    if (!caption || !version)
        return false;
    caption->SetStyle(caption->GetStyle() | SBPS_POPOUT);
    caption->SetFont(bold);
    caption->SetTextColor(0x7F0000);
    caption->SetIconIndex(IDI_STATUS_CAPTION);
    caption->SetText(QStringLiteral("钢筋翻样"));
    caption->SetWidth(0);
    CXTPStatusBarPane* weight = m_wndStatusBar->GetPane(2);
    weight->SetFont(bold);
    weight->SetWidth(0);
    version->SetText(versionText(QStringLiteral("版本")));
    version->SetFont(bold);
    version->SetWidth(0);
    return true;
}

bool CMainFrame::createCommandBars()
{
    InitCommandBars();
    CXTPCommandBars* bars = GetCommandBars();
    bars->EnableDocking();
    // The menus show the toolbars' icons.
    for (int id : {IDR_MAINFRAME, IDR_TOOLBAR_VIEW, IDR_TOOLBAR_TOOLS, IDR_TOOLBAR_SHEET, IDR_TOOLBAR_ROWS})
        bars->GetImageManager()->SetIcons(id);
    if (!bars->SetMenu(QStringLiteral("标准菜单"), IDR_MAINFRAME))
        return false;
    const std::pair<const char*, int> toolBars[] = {{"标准", IDR_MAINFRAME},
                                                   {"视图", IDR_TOOLBAR_VIEW},
                                                   {"工具", IDR_TOOLBAR_TOOLS},
                                                   {"表单", IDR_TOOLBAR_SHEET},
                                                   {"表单行", IDR_TOOLBAR_ROWS}};
    CXTPToolBar* previous = nullptr;
    for (const auto& [name, id] : toolBars) {
        CXTPToolBar* bar = bars->Add(QString::fromUtf8(name), xtpBarTop);
        if (!bar || !bar->LoadToolBar(id))
            return false;
        if (previous)
            bars->DockRightOf(bar, previous);
        previous = bar;
    }
    bars->SetMenuList(ID_FILE_MRU_FILE1, [this] {
        return m_docManager ? m_docManager->recentFiles().displayNames() : QStringList();
    });
    bars->SetMenuList(ID_RECENT_PROJECT_FIRST, [list = std::make_shared<CRODOControlRecentProjectList>()] {
        return list->entries();
    });
    bars->HideCommands({ID_WINDOW_CASCADE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW});
    bars->GetCommandBarsOptions()->bShowFullAfterDelay = false;
    bars->GetShortcutManager()->SetAccelerators(IDR_MAINFRAME);
    bars->LoadOptions(QString::fromUtf8(kCommandBarsSection));
    bars->LoadBarState(QString::fromUtf8(kCommandBarsSection));
    bars->GetShortcutManager()->LoadShortcuts(QString::fromUtf8(kCommandBarsSection));
    bars->GetCommandBarsOptions()->bToolBarAccelTips = false;
    return true;
}

void CMainFrame::createDockingPanes()
{
    m_paneManager.InstallDockingPanes(this);
    m_paneManager.SetTheme(9);
    m_paneManager.CreatePane(IDP_PROJECT, QRect(0, 0, 160, 120), xtpPaneDockLeft);
    m_paneManager.SetIcons(IDB_PANEICONS, {IDP_PROJECT, IDP_PROPERTY}, platform::gdi::RGB(0, 255, 0));
    m_paneManager.UseThemedFloatingFrames(true);
}

// controls of the toolbars

int CMainFrame::OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* request)
{
    if (!request->bToolBar || request->controlType != xtpControlButton)
        return 0;
    if (request->nID == ID_ZOOM_COMBO) {
        auto combo = std::make_unique<CXTPControlComboBox>();
        combo->SetDropDownListStyle(false);
        combo->SetEditHint(QStringLiteral("比例"));
        for (const char* item : {"400%", "200%", "150%", "100%", "75%", "50%"})
            combo->AddString(QString::fromUtf8(item));
        combo->SetWidth(100);
        combo->SetCaption(QStringLiteral("缩放比例"));
        combo->SetCurSel(3);
        g_pZoomCombo = combo.get();
        request->pControl = std::move(combo);
        return 1;
    }
    if (request->nID == ID_PAGE_COMBO) {
        auto combo = std::make_unique<CXTPControlComboBox>();
        combo->SetDropDownListStyle(false);
        combo->SetEditHint(QStringLiteral("页"));
        combo->SetWidth(80);
        combo->SetCaption(QStringLiteral("指定页"));
        g_pPageCombo = combo.get();
        request->pControl = std::move(combo);
        return 1;
    }
    if (request->nID == ID_TEXT_COLOR && request->pCommandBar
        && request->pCommandBar->GetBarID() == IDR_TOOLBAR_ROWS) {
        auto button = std::make_unique<CXTPControlPopupColor>();
        auto popup = CXTPPopupToolBar::CreatePopupToolBar(GetCommandBars());
        auto selector = std::make_unique<CXTPControlColorSelector>();
        selector->SetColor(platform::gdi::GetSysColor(platform::gdi::COLOR_BTNTEXT));
        popup->GetControls()->Add(std::move(selector), ID_TEXT_COLOR_SELECTOR);
        button->SetCommandBar(std::move(popup));
        button->SetColor(m_clrText);
        m_pColorButton = button.get();
        request->pControl = std::move(button);
        return 1;
    }
    return 0;
}

long CMainFrame::OnControlNotify(int code, CXTPControl* pControl)
{
    if (code != CBN_XTP_EXECUTE || pControl->GetType() != xtpControlComboBox)
        return 0;
    auto* combo = static_cast<CXTPControlComboBox*>(pControl);
    if (pControl->GetID() == ID_ZOOM_COMBO) {
        OnZoomCombo(combo);
        return 1;
    }
    if (pControl->GetID() == ID_PAGE_COMBO) {
        OnPageCombo(combo);
        return 1;
    }
    return 0;
}

void CMainFrame::OnZoomCombo(CXTPControlComboBox* combo)
{
    CVes_TableViewBase* view = getActiveTableView();
    double percent = 0;
    if (!view || !leadingNumber(combo->GetEditText(), percent) || percent * 0.01 <= 0)
        return;
    const double zoom = std::clamp(percent * 0.01, kMinZoom, kMaxZoom);
    view->ZoomScale(zoom);
    QString text = combo->GetEditText().trimmed();
    if (zoom != percent * 0.01)
        text = QString::asprintf("%d%%", int(std::lround(zoom * 100)));
    else if (!text.endsWith(u'%'))
        text += u'%';
    combo->SetEditText(text);
}

void CMainFrame::OnPageCombo(CXTPControlComboBox* combo)
{
    CVes_TableViewBase* view = getActiveTableView();
    double page = -1;
    if (!view || !leadingNumber(combo->GetEditText(), page) || page < 0)
        return;
    view->pageTo(int(page));
    showZoomAndPage();
}

// command routing

platform::ChildFrame* CMainFrame::activeChildFrame() const
{
    return dynamic_cast<platform::ChildFrame*>(MDIGetActive());
}

CVes_TableViewBase* CMainFrame::getActiveTableView() const
{
    platform::ChildFrame* frame = activeChildFrame();
    platform::View* view = frame ? frame->GetActiveView() : nullptr;
    if (!view)
        return nullptr;
    if (auto* container = dynamic_cast<CSheetContainer*>(view))
        return container->getActiveSheetView();
    return dynamic_cast<CVes_TableViewBase*>(view);
}

bool CMainFrame::isOwnCommand(int nID) const
{
    // The commands of the settings, projects and help menus mean the same
    // whatever document is active (some documents use the same numbers
    // for commands of their own toolbars).
    static const int own[] = {ID_SET_STEELWEIGHT, ID_SET_WEISHU, ID_SET_LENCALTYPE, ID_SET_WANZHER,
                              ID_SET_WANZHEJINGYAN, ID_SET_GU_WANZHER, ID_SET_GU_WANZHEJINGYAN,
                              ID_SET_YUANCAI, ID_MANAGE_LIB, ID_MANAGE_STARTLIB, ID_USER_HABITS,
                              ID_AUTOSAVE, ID_PROJECT_PANE, ID_PROJECT_NEW, ID_PROJECT_OPEN,
                              ID_PROJECT_PICK_SUMMARY, ID_PROJECT_FOLDER_SUMMARY, ID_HELP,
                              ID_HELP_TUTORIAL, ID_HELP_CHANGES, ID_CHECK_UPDATE, ID_UPDATE_LIBRARY};
    return std::find(std::begin(own), std::end(own), nID) != std::end(own)
           || (nID >= ID_RECENT_PROJECT_FIRST && nID <= ID_RECENT_PROJECT_LAST);
}

bool CMainFrame::routeCommand(int nID, platform::CommandState* state)
{
    if (isOwnCommand(nID) && OnCmdMsg(nID, state))
        return true;
    platform::ChildFrame* child = activeChildFrame();
    if (child && child->routeCmdMsg(nID, state))
        return true;
    return platform::routeCommand({this, m_appTarget}, nID, state);
}

void CMainFrame::OnCommand(int nID)
{
    routeCommand(nID, nullptr);
}

void CMainFrame::OnUpdateCommandUI(CCmdUI* pCmdUI)
{
    if (!routeCommand(pCmdUI->m_nID, pCmdUI))
        pCmdUI->Enable(false);
}

// the command table

void CMainFrame::buildCommandMap()
{
    addTableCommands();
    addSettingsCommands();
    addProjectAndHelpCommands();
}

void CMainFrame::withView(const std::function<void(CVes_TableViewBase&)>& action)
{
    CVes_TableViewBase* view = getActiveTableView();
    if (!view)
        return;
    action(*view);
    // An edit of the sheet marks its document modified, as the frame does
    // after a property edit.
    platform::ChildFrame* frame = activeChildFrame();
    platform::Document* document = frame ? frame->GetActiveDocument() : nullptr;
    CVes_TableBase* table = view->getTable();
    if (document && table && table->isModified())
        document->SetModifiedFlag(true);
}

void CMainFrame::sendToView(std::initializer_list<unsigned> messages)
{
    CVes_TableViewBase* view = getActiveTableView();
    if (!view)
        return;
    for (const unsigned message : messages)
        view->handleMessage(message);
    showZoomAndPage();
}

void CMainFrame::addTableCommands()
{
    using V = CVes_TableViewBase;
    platform::CommandMap& map = commandMap();
    const auto always = [](platform::CommandState&) {};
    const auto whenView = [this](platform::CommandState& s) { s.Enable(getActiveTableView() != nullptr); };
    const auto whenCopy = [this](platform::CommandState& s) {
        CVes_TableViewBase* view = getActiveTableView();
        s.Enable(view && view->canCopy());
    };
    const auto whenText = [this](platform::CommandState& s) {
        CVes_TableViewBase* view = getActiveTableView();
        s.Enable(view && (view->canCopy() || (view->getTable() && view->getTable()->getCurPage() == 0)));
    };
    const auto whenBarList = [this](platform::CommandState& s) {
        CVes_TableViewBase* view = getActiveTableView();
        s.Enable(view && view->getViewType() == V::kBarListView);
    };

    // The view's kZoomOut message is its ×1.2 step, which makes the page
    // larger (放大); kZoomIn is its ×0.8 step (缩小).
    // The commands of a sheet are off where there is none (the start page),
    // rather than on and doing nothing.
    map.add(ID_ZOOM_IN, [this] { sendToView({V::kZoomOut, V::kZoomShown}); }, whenView);
    map.add(ID_ZOOM_OUT, [this] { sendToView({V::kZoomIn, V::kZoomShown}); }, whenView);
    map.add(ID_ZOOM_FIT, [this] { sendToView({V::kZoomFit, V::kZoomShown}); }, whenView);
    map.add(ID_ZOOM_WIN, [this] { sendToView({V::kZoomWin, V::kZoomShown}); }, whenView);
    map.add(ID_ZOOM_COMBO, [] {}, always);
    map.add(ID_PAGE_COMBO, [] {}, whenView);
    map.add(ID_PAGE_ADD, [this] { withView([](V& v) { v.OnAddPage(); }); showZoomAndPage(); }, whenView);
    map.add(ID_PAGE_DELETE, [this] {
        if (getActiveTableView()
            && platform::ask(QStringLiteral("确实要删除当前页？")) == platform::Answer::Yes) {
            withView([](V& v) { v.OnDelPage(); });
            showZoomAndPage();
        }
    }, whenView);
    map.add(ID_PAGE_COVER, [this] { sendToView({V::kCoverPage}); }, whenView);
    map.add(ID_PAGE_PREV, [this] { sendToView({V::kPrevPage}); }, whenView);
    map.add(ID_PAGE_NEXT, [this] { sendToView({V::kNextPage}); }, whenView);
    map.add(ID_PAGE_FIRST, [this] { sendToView({V::kFirstPage}); }, whenView);
    map.add(ID_PAGE_LAST, [this] { sendToView({V::kEndPage}); }, whenView);
    map.add(ID_ROW_UP, [this] { withView([](V& v) { v.OnMoveUp(); }); }, whenCopy);
    map.add(ID_ROW_DOWN, [this] { withView([](V& v) { v.OnMoveDown(); }); }, whenCopy);
    map.add(ID_ROW_LOCK, [this] { withView([](V& v) { v.OnRowLock(); }); }, whenView);
    map.add(ID_ROW_UNLOCK, [this] { withView([](V& v) { v.OnRowUnLock(); }); }, whenView);
    map.addRange(ID_ROW_HIGH1, ID_ROW_HIGH3, [this](int id) {
        withView([id](V& v) {
            if (CVes_TableBase* table = v.getTable())
                table->setSelLineHighNum(id - ID_ROW_HIGH1 + 1);
            v.viewport()->update();
        });
    }, whenView);
    map.add(ID_EDIT_UNDO, [this] { withView([](V& v) { v.OnUndo(); }); },
            [this](platform::CommandState& s) {
                CVes_TableViewBase* view = getActiveTableView();
                s.Enable(view && view->canUndo());
            });
    map.add(ID_EDIT_REDO, [this] { withView([](V& v) { v.OnRedo(); }); },
            [this](platform::CommandState& s) {
                CVes_TableViewBase* view = getActiveTableView();
                s.Enable(view && view->canRedo());
            });
    map.add(ID_EDIT_CUT, [this] { withView([](V& v) { v.OnCutRow(); }); }, whenCopy);
    map.add(ID_EDIT_COPY, [this] { withView([](V& v) { v.OnCopy(); }); }, whenCopy);
    map.add(ID_EDIT_PASTE, [this] { withView([](V& v) { v.OnPaste(); }); },
            [this](platform::CommandState& s) {
                CVes_TableViewBase* view = getActiveTableView();
                s.Enable(view && view->canPaste());
            });
    map.add(ID_EDIT_CLEAR, [this] { withView([](V& v) { v.OnDeleteRow(); }); }, whenCopy);
    map.add(ID_FIND, [this] { withView([](V& v) { v.SearchAndReplace(0); v.viewport()->update(); }); }, whenBarList);
    map.add(ID_REPLACE, [this] { withView([](V& v) { v.SearchAndReplace(1); v.viewport()->update(); }); }, whenBarList);
    map.add(ID_TEXT_BIG, [this] { withView([](V& v) { v.doTextbig(); v.viewport()->update(); }); }, whenText);
    map.add(ID_TEXT_SMALL, [this] { withView([](V& v) { v.doTextsmall(); v.viewport()->update(); }); }, whenText);
    map.add(ID_TEXT_COLOR, [this] { OnTextColor(); }, [this, whenCopy](platform::CommandState& s) {
        whenCopy(s);
        if (m_pColorButton)
            m_pColorButton->SetColor(m_clrText);
    });
    map.add(ID_TEXT_COLOR_SELECTOR, [this] {
        auto* bar = m_pColorButton ? m_pColorButton->GetCommandBar() : nullptr;
        if (auto* selector = bar ? dynamic_cast<CXTPControlColorSelector*>(bar->FindControl(ID_TEXT_COLOR_SELECTOR)) : nullptr)
            applyTextColor(selector->GetColor());
    }, whenCopy);
    map.add(ID_FILE_PRINT, [this] { withView([](V& v) { v.OnFilePrint(); }); }, whenView);
    map.add(ID_FILE_PRINT_PREVIEW, [this] { withView([](V& v) { v.OnFilePrintPreview(); }); }, whenView);
    map.add(ID_APP_EXIT, [this] { close(); });
}

void CMainFrame::addSettingsCommands()
{
    platform::CommandMap& map = commandMap();
    map.add(ID_TABLE_BK_WHITE, [this] { Info_UserCustomSetTableBkColor(0); withView([](CVes_TableViewBase& v) { v.viewport()->update(); }); });
    map.add(ID_TABLE_BK_GREY, [this] { Info_UserCustomSetTableBkColor(1); withView([](CVes_TableViewBase& v) { v.viewport()->update(); }); });
    map.add(ID_SET_STEELWEIGHT, [] { Info_SteelWeight(); });
    map.add(ID_SET_WEISHU, [] { Info_SetSteelWeishu(); });
    map.add(ID_SET_LENCALTYPE, [] { Info_SetSteelLenCalType(); });
    map.add(ID_SET_WANZHER, [] { Info_SetSteelWanzheR(); });
    map.add(ID_SET_WANZHEJINGYAN, [] { Info_SetSteelWanzheJingYan(); });
    map.add(ID_SET_GU_WANZHER, [] { Info_SetGuSteelWanzheR(); });
    map.add(ID_SET_GU_WANZHEJINGYAN, [] { Info_SetGuSteelWanzheJingYan(); });
    map.add(ID_SET_YUANCAI, [] { Info_SETYuanCai(QString()); });
    map.add(ID_MANAGE_LIB, [] { manageLib(0); });
    map.add(ID_MANAGE_STARTLIB, [] { manageStartLib(0); });
    map.add(ID_USER_HABITS, [this] { CUserCustomDlg(this).exec(); });
    map.add(ID_AUTOSAVE, [this] {
        if (CAutoSaveDlg(this).exec() == QDialog::Accepted)
            DocumentFrame::autoSaveSettingsChanged();
    });
    map.add(ID_DEFAULT_TEMPLATE, [this] { OnDefaultTemplate(); });
    map.add(ID_CANCEL_DEFAULT_TEMPLATE, [this] { OnCancelDefaultTemplate(); });
}

void CMainFrame::OnDefaultTemplate()
{
    if (!m_docManager)
        return;
    const QString path = m_docManager->askFileName(true, QStringLiteral("设置默认模板"),
                                                   QStringLiteral("表格模板(*.jtm)"),
                                                   GetSetupTemplateFolder());
    if (!path.isEmpty())
        platform::setProfileValue(QStringLiteral("模板"), QStringLiteral("配料单"), path);
}

void CMainFrame::OnCancelDefaultTemplate()
{
    const QString path = platform::profileValue(QStringLiteral("模板"), QStringLiteral("配料单")).toString();
    if (path.isEmpty())
        return;
    if (platform::ask(QStringLiteral("确定要取消“%1”作为新建配料单的默认模板").arg(path))
        == platform::Answer::Yes)
        platform::setProfileValue(QStringLiteral("模板"), QStringLiteral("配料单"), QString());
}

void CMainFrame::addProjectAndHelpCommands()
{
    platform::CommandMap& map = commandMap();
    map.add(ID_PROJECT_PANE, [this] {
        CXTPDockingPane* pane = m_paneManager.FindPane(IDP_PROJECT);
        if (!pane)
            return;
        if (pane->IsClosed())
            m_paneManager.ShowPane(pane);
        else
            m_paneManager.ClosePane(pane);
    }, [this](platform::CommandState& s) {
        CXTPDockingPane* pane = m_paneManager.FindPane(IDP_PROJECT);
        s.SetCheck(pane && !pane->IsClosed());
    });
    map.addRange(ID_RECENT_PROJECT_FIRST, ID_RECENT_PROJECT_LAST, [this](int id) { OnRecentProject(id); },
                 [](platform::CommandState& s) {
                     s.Enable(!readRecentProjects(kRecentProjectsShown)[s.m_nID - ID_RECENT_PROJECT_FIRST].isEmpty());
                 });
    // The project pane's own commands reach it (its window is made when it
    // is missing); without a project pane they are disabled.
    for (const int id : {ID_PROJECT_NEW, ID_PROJECT_OPEN, ID_PROJECT_PICK_SUMMARY, ID_PROJECT_FOLDER_SUMMARY}) {
        map.add(id, [this, id] {
            if (auto* pane = dynamic_cast<platform::CommandTarget*>(projectPaneWindow()))
                pane->OnCmdMsg(id, nullptr);
        }, [this](platform::CommandState& s) {
            auto* pane = dynamic_cast<platform::CommandTarget*>(projectPaneWindow());
            if (!pane || !pane->OnCmdMsg(s.m_nID, &s))
                s.Enable(false);
        });
    }
    map.add(ID_HELP, [this] { openHelpFile(QStringLiteral("tutorial.html")); });
    map.add(ID_HELP_TUTORIAL, [this] { openHelpFile(QStringLiteral("tutorial.html")); });
    map.add(ID_HELP_CHANGES, [this] { openHelpFile(QStringLiteral("changes.html")); });
    map.add(ID_CHECK_UPDATE, [] { checkProgramUpdate(); });
    map.add(ID_UPDATE_LIBRARY, [] { updateBarLibrary(); });
}

void CMainFrame::OnRecentProject(int nID)
{
    const QString folder = readRecentProjects(CMyRdApp::kRecentProjects)[nID - ID_RECENT_PROJECT_FIRST];
    if (folder.isEmpty())
        return;
    if (CMyRdApp* app = CMyRdApp::instance(); app && QFileInfo(folder).isDir())
        app->m_strCurProject = folder;
    // The project opens in the project pane, shown when it was closed.
    projectPaneWindow();
    if (CXTPDockingPane* pane = m_paneManager.FindPane(IDP_PROJECT); pane && pane->IsClosed())
        m_paneManager.ShowPane(pane);
    Q_EMIT recentProjectChosen(folder);
}

void CMainFrame::OnPageShown(int page)
{
    if (g_pPageCombo)
        g_pPageCombo->SetEditText(QString::asprintf("%d", page));
}

void CMainFrame::OnRefreshProjectFiles()
{
    Q_EMIT projectFilesChanged();
}

void CMainFrame::openHelpFile(const QString& name)
{
    const QString path = platform::installedDocFolder() + name;
    if (!QFileInfo::exists(path)) {
        platform::showMessage(QStringLiteral("找不到帮助文件“%1”。").arg(QDir::toNativeSeparators(path)),
                              platform::MessageIcon::Warning);
        return;
    }
    if (!platform::host().openWithDesktop(path))
        platform::showMessage(QStringLiteral("没有找到能打开帮助的程序（网页浏览器）。帮助文件在：\n%1")
                                  .arg(QDir::toNativeSeparators(path)),
                              platform::MessageIcon::Warning);
}

void CMainFrame::OnTextColor()
{
    if (!getActiveTableView())
        return;
    platform::gdi::COLORREF colour = 0;
    if (m_colorDialog && m_colorDialog(colour, this))
        applyTextColor(colour);
}

void CMainFrame::applyTextColor(platform::gdi::COLORREF colour)
{
    withView([colour](CVes_TableViewBase& v) {
        if (CVes_TableBase* table = v.getTable())
            table->setSelLineTextColor(colour);
        v.viewport()->update();
    });
    m_clrText = colour;
    if (m_pColorButton)
        m_pColorButton->SetColor(colour);
}

// status bar, zoom and page boxes

void CMainFrame::OnUpdateStatusPanes()
{
    if (!m_wndStatusBar)
        return;
    CXTPStatusBarPane* pane = m_wndStatusBar->FindPane(ID_INDICATOR_WEIGHT);
    if (!pane)
        return;
    CVes_TableViewBase* view = getActiveTableView();
    if (view) {
        pane->SetEnabled(view->canRedo() != 0);
        pane->SetText(QString::asprintf("重量:%.2f", view->getsellineWeight()));
    } else {
        pane->SetEnabled(false);
        pane->SetText(QStringLiteral("重量"));
    }
    pane->SetWidth(0);
}

void CMainFrame::OnActiveSheetChanged()
{
    showZoomAndPage();
    OnUpdateStatusPanes();
}

void CMainFrame::showZoomAndPage()
{
    CVes_TableViewBase* view = getActiveTableView();
    if (view != m_zoomSource.data()) {
        if (m_zoomSource)
            disconnect(m_zoomSource, nullptr, this, nullptr);
        m_zoomSource = view;
        if (view) {
            connect(view, &CVes_TableViewBase::zoomShown, this, [this] { showZoomAndPage(); });
            connect(view, &CVes_TableViewBase::tableChanged, this, [this] { showZoomAndPage(); });
        }
    }
    CVes_TableBase* table = view ? view->getTable() : nullptr;
    if (!table)
        return;
    if (g_pZoomCombo && g_pZoomCombo->GetCommandBars() == GetCommandBars())
        g_pZoomCombo->SetEditText(QString::asprintf("%d%%", int(std::lround(table->getScale() * 100))));
    if (g_pPageCombo && g_pPageCombo->GetCommandBars() == GetCommandBars())
        g_pPageCombo->SetEditText(QString::number(table->getCurPage()));
}

void CMainFrame::onActiveFrameChanged()
{
    platform::ChildFrame* frame = activeChildFrame();
    platform::Document* document = frame ? frame->GetActiveDocument() : nullptr;
    if (document != m_titleSource.data()) {
        if (m_titleSource)
            disconnect(m_titleSource, nullptr, this, nullptr);
        m_titleSource = document;
        if (document)
            connect(document, &platform::Document::titleChanged, this, [this] { updateTitle(); });
    }
    showZoomAndPage();
    OnUpdateStatusPanes();
    updateTitle();
}

void CMainFrame::updateTitle()
{
    platform::ChildFrame* frame = activeChildFrame();
    platform::Document* document = frame ? frame->GetActiveDocument() : nullptr;
    // The desktop adds the program's name to a title that does not end
    // with it; this one ends with it, so that it shows once.
    setWindowTitle(document ? QStringLiteral("%1 - Rodo表").arg(document->GetTitle())
                            : QStringLiteral("Rodo表"));
}

// docking panes

void CMainFrame::setPaneWindowFactory(int nPaneID, PaneWindowFactory factory)
{
    paneFactories()[nPaneID] = std::move(factory);
}

long CMainFrame::OnDockingPaneNotify(int nCode, CXTPDockingPane* pPane)
{
    if (nCode != XTP_DPN_SHOWWINDOW || !pPane)
        return 0;
    if (pPane->GetID() != IDP_PROJECT && pPane->GetID() != IDP_PROPERTY)
        return 0;
    if (!pPane->IsValid())
        attachPaneWindow(pPane);
    return 1;
}

void CMainFrame::attachPaneWindow(CXTPDockingPane* pPane)
{
    QPointer<QWidget>& slot = pPane->GetID() == IDP_PROJECT ? m_wndProjectPane : m_wndPropertyPane;
    if (!slot) {
        const auto factory = paneFactories().find(pPane->GetID());
        if (factory == paneFactories().end() || !factory->second)
            return;
        slot = factory->second(this);
    }
    if (slot)
        pPane->Attach(slot);
}

QWidget* CMainFrame::projectPaneWindow()
{
    if (!m_wndProjectPane)
        if (CXTPDockingPane* pane = m_paneManager.FindPane(IDP_PROJECT))
            attachPaneWindow(pane);
    return m_wndProjectPane;
}

// the window

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_bClosed && m_docManager && !m_docManager->SaveAllModified()) {
        event->ignore();
        return;
    }
    if (!m_bClosed) {
        const QString section = QString::fromUtf8(kCommandBarsSection);
        if (CXTPCommandBars* bars = GetCommandBars()) {
            bars->SaveOptions(section);
            bars->SaveBarState(section, true);
            bars->GetShortcutManager()->SaveShortcuts(section);
            m_paneManager.GetLayout()->Save(QString::fromUtf8(kNormalLayout));
        }
        if (m_docManager)
            m_docManager->CloseAllDocuments();
        m_bClosed = true;
    }
    m_statusTimer.stop();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    if (!m_docManager)
        return;
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    activateWindow();
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            m_docManager->OpenDocumentFile(url.toLocalFile());
}
