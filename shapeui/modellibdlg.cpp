// The library manager dialog: its controls, command bars and layout.

#include "shapeui/modellibdlg.h"

#include "platform/hostservices.h"
#include "shapeui/flatbutton.h"
#include "shapeui/panestack.h"
#include "shapeui/shapelistctrl.h"
#include "widgara/dlgitem.h"

#include <QDir>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

using namespace platform::gdi;

namespace {

struct CommandText {
    int id;
    const char* text;
};

const CommandText kCommands[] = {
    {CVes_ModelLibDlg::ID_NEW_CATEGORY, "新建类别"},
    {CVes_ModelLibDlg::ID_DELETE_CATEGORY, "删除类别"},
    {CVes_ModelLibDlg::ID_RENAME_CATEGORY, "重命名类别"},
    {CVes_ModelLibDlg::ID_CHANGE_SUBLIB_ID, "修改子库编号"},
    {CVes_ModelLibDlg::ID_NEW_SHAPE, "新建大样"},
    {CVes_ModelLibDlg::ID_NEW_SHAPE_FROM, "参考新建大样"},
    {CVes_ModelLibDlg::ID_MODIFY_SHAPE, "修改"},
    {CVes_ModelLibDlg::ID_COPY_SHAPE, "拷贝"},
    {CVes_ModelLibDlg::ID_CUT_SHAPE, "剪切"},
    {CVes_ModelLibDlg::ID_PASTE_SHAPE, "粘贴"},
    {CVes_ModelLibDlg::ID_DELETE_SHAPE, "删除"},
    {CVes_ModelLibDlg::ID_IMPORT_LIB, "导入库"},
    {CVes_ModelLibDlg::ID_EXPORT_LIB, "导出库"},
    {CVes_ModelLibDlg::ID_IMPORT_SHAPE, "导入单个大样"},
    {CVes_ModelLibDlg::ID_EXPORT_SHAPE, "导出单个大样"},
    {CVes_ModelLibDlg::ID_BACKUP_LIB, "大样库备份"},
    {CVes_ModelLibDlg::ID_RESTORE_LIB, "大样库恢复"},
};

widgara::MenuEntry command(int id)
{
    for (const CommandText& c : kCommands) {
        if (c.id == id)
            return {QString::fromUtf8(c.text), id, {}};
    }
    return {};
}

// The menu, the toolbar and the command texts of the dialog, registered once.
void registerResources()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    using D = CVes_ModelLibDlg;
    widgara::Resources& r = widgara::resources();
    for (const CommandText& c : kCommands) {
        const QString text = QString::fromUtf8(c.text);
        r.setString(c.id, text + QLatin1Char('\n') + text);
    }
    const widgara::MenuEntry separator;
    r.setMenu(D::kMenuId,
              {
                  {QStringLiteral("类别"),
                   0,
                   {command(D::ID_NEW_CATEGORY), command(D::ID_DELETE_CATEGORY),
                    command(D::ID_RENAME_CATEGORY), command(D::ID_CHANGE_SUBLIB_ID)}},
                  {QStringLiteral("大样"),
                   0,
                   {command(D::ID_NEW_SHAPE), command(D::ID_NEW_SHAPE_FROM), command(D::ID_MODIFY_SHAPE),
                    separator, command(D::ID_COPY_SHAPE), command(D::ID_CUT_SHAPE),
                    command(D::ID_PASTE_SHAPE), command(D::ID_DELETE_SHAPE)}},
                  {QStringLiteral("库"),
                   0,
                   {command(D::ID_IMPORT_LIB), command(D::ID_EXPORT_LIB), separator,
                    command(D::ID_IMPORT_SHAPE), command(D::ID_EXPORT_SHAPE), separator,
                    command(D::ID_BACKUP_LIB), command(D::ID_RESTORE_LIB)}},
              });
    r.setToolBar(D::kToolBarId,
                 {D::ID_NEW_CATEGORY, D::ID_DELETE_CATEGORY, D::ID_RENAME_CATEGORY, 0, D::ID_NEW_SHAPE,
                  D::ID_NEW_SHAPE_FROM, D::ID_MODIFY_SHAPE, 0, D::ID_COPY_SHAPE, D::ID_CUT_SHAPE,
                  D::ID_PASTE_SHAPE, D::ID_DELETE_SHAPE});
}

// Names a control of the dialog by its id.
void setId(QWidget* control, int id)
{
    control->setObjectName(QString::number(id));
    widgara::SetDlgCtrlID(control, id);
}

QPushButton* plainButton(QWidget* parent, int id, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    setId(button, id);
    button->setAutoDefault(false);
    return button;
}

CVes_FlatButton* flatButton(QWidget* parent, int id, const QString& text, QStyle::StandardPixmap icon)
{
    auto* button = new CVes_FlatButton(text, parent);
    setId(button, id);
    button->SetIcon(parent->style()->standardIcon(icon).pixmap(16, 16).toImage());
    return button;
}

} // namespace

CVes_ModelLibDlg::CVes_ModelLibDlg(QWidget* parent) : CXTResizeDialog(IDD, parent)
{
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("钢筋大样库"));
    registerResources();
    createControls();
}

CVes_ModelLibDlg::~CVes_ModelLibDlg()
{
    // The list borrows the records of the libraries, which go first.
    if (m_list)
        m_list->setRecords(static_cast<const CVes_ShapeListCtrl::RecordArray*>(nullptr));
}

void CVes_ModelLibDlg::createControls()
{
    resize(780, 520);

    m_list = new CVes_ShapeListCtrl(this);
    setId(m_list, kIdShapeList);
    m_list->setGeometry(230, 8, 542, 440);

    m_paneBar = new CVes_PaneStack(this);
    setId(m_paneBar, kIdPaneBar);
    m_paneBar->setGeometry(8, 8, 214, 440);

    m_sysList = new QListWidget(this);
    setId(m_sysList, kIdSysList);
    m_useList = new QListWidget(this);
    setId(m_useList, kIdUseList);

    m_btnMoveForward = flatButton(this, kIdMoveForward, QStringLiteral("前移"), QStyle::SP_ArrowLeft);
    m_btnMoveForward->setGeometry(8, 460, 80, 28);
    m_btnMoveBack = flatButton(this, kIdMoveBack, QStringLiteral("后移"), QStyle::SP_ArrowRight);
    m_btnMoveBack->setGeometry(94, 460, 80, 28);
    m_btnMoveForward->setEnabled(false);
    m_btnMoveBack->setEnabled(false);
    m_btnMoveTo = plainButton(this, kIdMoveTo, QStringLiteral("移动到"));
    m_btnMoveTo->setGeometry(180, 460, 70, 28);
    m_btnUserNumber = plainButton(this, kIdUserNumber, QStringLiteral("自定义钢筋编号"));
    m_btnUserNumber->setGeometry(256, 460, 120, 28);

    for (int i = 0; i < 3; ++i) {
        m_verEdits[i] = new QLineEdit(this);
        setId(m_verEdits[i], kIdVer1 + i);
        m_verEdits[i]->setValidator(new QIntValidator(m_verEdits[i]));
    }
    m_verEdits[0]->setGeometry(382, 462, 56, 24);
    m_verEdits[1]->setGeometry(444, 462, 40, 24);
    m_verEdits[2]->setGeometry(490, 462, 40, 24);
    m_verLabel = new QLabel(this);
    setId(m_verLabel, kIdVerText);
    m_verLabel->setGeometry(420, 462, 110, 24);
    m_btnSave = plainButton(this, kIdSave, QStringLiteral("保存"));
    m_btnSave->setGeometry(536, 460, 60, 28);

    m_btnOk = flatButton(this, IDOK, QStringLiteral("确定"), QStyle::SP_DialogOkButton);
    m_btnOk->setGeometry(602, 460, 82, 28);
    m_btnCancel = flatButton(this, IDCANCEL, QStringLiteral("取消"), QStyle::SP_DialogCancelButton);
    m_btnCancel->setGeometry(690, 460, 82, 28);

    connect(m_btnOk, &QPushButton::clicked, this, &CVes_ModelLibDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CVes_ModelLibDlg::reject);
    connect(m_btnMoveForward, &QPushButton::clicked, this, &CVes_ModelLibDlg::OnMoveForward);
    connect(m_btnMoveBack, &QPushButton::clicked, this, &CVes_ModelLibDlg::OnMoveBack);
    connect(m_btnMoveTo, &QPushButton::clicked, this, &CVes_ModelLibDlg::OnMoveTo);
    connect(m_btnUserNumber, &QPushButton::clicked, this, &CVes_ModelLibDlg::OnUserNumber);
    connect(m_btnSave, &QPushButton::clicked, this, &CVes_ModelLibDlg::OnSave);

    connect(m_sysList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_filling && row >= 0)
            OnSelectSubLib(1, row);
    });
    connect(m_useList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_filling && row >= 0)
            OnSelectSubLib(0, row);
    });
    connect(m_sysList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { OnSelectSubLib(1, m_sysList->row(item)); });
    connect(m_useList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { OnSelectSubLib(0, m_useList->row(item)); });
    connect(m_paneBar, &CVes_PaneStack::paneClicked, this, &CVes_ModelLibDlg::OnPaneClicked);

    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        updateButtons();
        updateCommands();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { OnShapeDoubleClicked(); });
    connect(m_list, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!m_filling)
            OnEndLabelEdit(m_list->row(item), item->text());
    });

    m_list->viewport()->installEventFilter(this);

    const auto shortcut = [this](const QKeySequence& keys, int id) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, [this, id] { OnCommand(id); });
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_C), ID_COPY_SHAPE);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_V), ID_PASTE_SHAPE);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_X), ID_CUT_SHAPE);
}

QString CVes_ModelLibDlg::libraryWord() const
{
    return m_libType == kStartLib ? QStringLiteral("示意图库") : QStringLiteral("钢筋大样库");
}

QString CVes_ModelLibDlg::sidePath(int isSys) const
{
    if (m_libType == kStartLib)
        return isSys ? m_startLib.m_sysPath : m_startLib.m_usePath;
    return isSys ? CVes_ModelRecordMainLib::sysLibPath() : CVes_ModelRecordMainLib::useLibPath();
}

std::unique_ptr<CVes_ModelRecord> CVes_ModelLibDlg::newRecord() const
{
    if (m_libType == kStartLib)
        return std::make_unique<CVes_ModelStart>();
    return std::make_unique<CVes_ModelRecord>();
}

bool CVes_ModelLibDlg::OnInitDialog()
{
    if (m_libType == kStartLib) {
        m_pCurLib = &m_startLib;
        setWindowTitle(QStringLiteral("示意图库"));
    } else {
        m_pCurLib = &m_modelLib;
    }

    CXTResizeDialog::OnInitDialog();

    if (!m_bManage) {
        m_btnSave->hide();
        for (QLineEdit* edit : m_verEdits)
            edit->hide();
        m_btnMoveTo->hide();
        m_verLabel->show();
    } else {
        m_list->setEditLabels(true);
        m_list->setShowLabel(1);
        for (QLineEdit* edit : m_verEdits)
            edit->show();
        m_verLabel->hide();
        m_btnMoveTo->show();
    }

    // A library file that cannot be read is never written over (the library
    // refuses to), so that nothing of it is lost; the user learns where it is.
    for (const int isSys : {0, 1}) {
        if (!m_pCurLib->loadLib(QString(), isSys))
            platform::showMessage(QStringLiteral("%1文件无法读取，修改将不能保存：\n%2")
                                      .arg(libraryWord(), QDir::toNativeSeparators(sidePath(isSys))),
                                  platform::MessageIcon::Stop);
    }
    m_pCurLib->getVer(m_ver1, m_ver2, m_ver3);

    createCommandBars();

    SetResize(kIdShapeList, 0, 0, 1, 1);
    SetResize(kIdPaneBar, 0, 0, 0, 1);
    for (int id : {kIdMoveForward, kIdMoveBack, kIdMoveTo, kIdUserNumber, kIdVer1})
        SetResize(id, 0, 1, 0, 1);
    for (int id : {int(IDOK), int(IDCANCEL), kIdSave, kIdVer2, kIdVer3, kIdVerText})
        SetResize(id, 1, 1, 1, 1);
    layoutCommandBars();

    fillSubLibList(1);
    fillSubLibList(0);
    m_bSys = 1;
    if (m_sysList->count() > 0) {
        m_filling = true;
        m_sysList->setCurrentRow(0);
        m_filling = false;
        showSubLib(selectedSubLib(1));
        m_lastSubLibIndex = 0;
    }

    if (m_libType == kStartLib)
        m_list->setThumbnailSize(90, 70);
    else
        m_list->setThumbnailSize(200, 40);
    fitShapeSpacing();
    m_list->setUnitsPerInch(100);
    m_list->setStartLib(m_libType);
    refreshShapes();
    updateCommands();

    const bool start = m_libType == kStartLib;
    m_paneBar->AddPane(start ? QStringLiteral("系统示意图库") : QStringLiteral("系统钢筋库"), m_sysList,
                       reinterpret_cast<qintptr>(m_sysList));
    m_paneBar->AddPane(start ? QStringLiteral("用户示意图库") : QStringLiteral("用户钢筋库"), m_useList,
                       reinterpret_cast<qintptr>(m_useList));
    QFont titleFont(platform::substituteFace(QStringLiteral("黑体")));
    titleFont.setPixelSize(16);
    titleFont.setWeight(QFont::Black);
    for (int i = 0; i < m_paneBar->GetPaneCount(); ++i) {
        CVes_PaneTitleButton* title = m_paneBar->GetPaneTitle(i);
        title->setObjectName(QString::number(i));
        title->setFont(titleFont);
        for (int index : {CVes_FlatButton::BTNST_COLOR_FG_IN, CVes_FlatButton::BTNST_COLOR_FG_OUT,
                          CVes_FlatButton::BTNST_COLOR_FG_FOCUS})
            title->SetColor(index, RGB(0, 0, 255));
    }
    m_paneBar->OpenPane(0);

    m_strVer = QString::asprintf("%d-%d-%d", m_ver1, m_ver2, m_ver3);
    m_verLabel->setText(m_strVer);
    m_verEdits[0]->setText(QString::number(m_ver1));
    m_verEdits[1]->setText(QString::number(m_ver2));
    m_verEdits[2]->setText(QString::number(m_ver3));
    updateButtons();
    return true;
}

void CVes_ModelLibDlg::createCommandBars()
{
    m_pCommandBars = std::make_unique<CXTPCommandBars>();
    m_pCommandBars->SetSite(this, this);
    m_pCommandBars->EnableDocking();
    m_pCommandBars->SetTheme(4);
    m_pCommandBars->SetMenu(QStringLiteral("菜单"), kMenuId);
    if (CXTPToolBar* bar = m_pCommandBars->Add(QStringLiteral("标准"), xtpBarTop))
        bar->LoadToolBar(kToolBarId);
    m_pCommandBars->GetImageManager()->SetIcons(kIconsId);
    m_pCommandBars->GetCommandBarsOptions()->ShowKeyboardCues(2);
    m_pCommandBars->GetToolTipContext()->SetStyle(2);
}

void CVes_ModelLibDlg::layoutCommandBars()
{
    if (m_pCommandBars)
        MakeRoomForCommandBars(m_pCommandBars.get(), m_lastBorders);
}

void CVes_ModelLibDlg::fitShapeSpacing()
{
    // Bar shapes two a row, start styles three, in the list's width as it
    // is now; a cell never narrower than its thumbnail and caption.
    const bool start = m_libType == kStartLib;
    const int columns = start ? 3 : 2;
    const int cx = std::max(m_list->viewport()->width() / columns - 20,
                            m_list->thumbnailWidth() + kCellMargin);
    const QSize spacing(cx, start ? 120 : 80);
    if (m_list->gridSize() != spacing)
        m_list->SetIconSpacing(spacing.width(), spacing.height());
}

bool CVes_ModelLibDlg::eventFilter(QObject* watched, QEvent* event)
{
    // The thumbnails are laid out again in the list's new width.
    if (watched == m_list->viewport() && event->type() == QEvent::Resize)
        fitShapeSpacing();
    // A click on the empty area of the shape list keeps the selection.
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_list->itemAt(mouse->position().toPoint())) {
            updateCommands();
            return true;
        }
    }
    return CXTResizeDialog::eventFilter(watched, event);
}

void CVes_ModelLibDlg::paintEvent(QPaintEvent* event)
{
    CXTResizeDialog::paintEvent(event);
    if (isVisible() && !isMinimized())
        layoutCommandBars();
}

void CVes_ModelLibDlg::OnSize(int nType, int cx, int cy)
{
    CXTResizeDialog::OnSize(nType, cx, cy);
    if (isVisible() && nType != SIZE_MINIMIZED)
        layoutCommandBars();
}
