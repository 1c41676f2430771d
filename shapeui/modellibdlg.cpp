#include "shapeui/modellibdlg.h"

#include "core/geometry/datafolder.h"
#include "core/model/recordcache.h"
#include "platform/dc.h"
#include "platform/hostservices.h"
#include "shapeui/flatbutton.h"
#include "shapeui/inputdlg.h"
#include "shapeui/panestack.h"
#include "shapeui/savetocategorydlg.h"
#include "shapeui/shapeeditordlg.h"
#include "shapeui/shapelistctrl.h"
#include "shapeui/steelmodeluserid.h"
#include "widgara/dlgitem.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
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

CVes_ModelLibDlg::ShapeEditor& shapeEditor()
{
    static CVes_ModelLibDlg::ShapeEditor editor;
    return editor;
}

CVes_ModelLibDlg::SaveToChooser& saveToChooser()
{
    static CVes_ModelLibDlg::SaveToChooser chooser;
    return chooser;
}

CVes_ModelLibDlg::FileDialog& fileDialog()
{
    static CVes_ModelLibDlg::FileDialog dialog;
    return dialog;
}

const char* const kLibFilter = "钢筋大样库文件(*.jlb)|*.jlb|钢筋大样文件(*.stl)|*.stl|所有文件(*.*)|*.*||";
const char* const kShapeFilter = "钢筋大样文件(*.stl)|*.stl|所有文件(*.*)|*.*||";

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

// Reads a number like atoi: blanks and a sign first, digits up to the
// first other character, 0 without digits.
int atoiText(const QString& text)
{
    int i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        negative = text.at(i++) == QLatin1Char('-');
    long long value = 0;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > 0x7fffffff)
            return 0;
    }
    return int(negative ? -value : value);
}

// A file to import that could not be read (damaged, or of another kind).
void reportUnreadableImport(const QString& path)
{
    platform::showMessage(QStringLiteral("导入失败，文件无法读取：\n%1").arg(QDir::toNativeSeparators(path)),
                          platform::MessageIcon::Stop);
}

} // namespace

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts.at(i).isEmpty())
            break;
        QString description = parts.at(i);
        const int bracket = description.indexOf(QLatin1Char('('));
        if (bracket > 0)
            description = description.left(bracket);
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        }
        out.append(description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return out.join(QStringLiteral(";;"));
}

void CVes_ModelLibDlg::setShapeEditor(ShapeEditor editor)
{
    shapeEditor() = std::move(editor);
}

void CVes_ModelLibDlg::setSaveToChooser(SaveToChooser chooser)
{
    saveToChooser() = std::move(chooser);
}

void CVes_ModelLibDlg::setFileDialog(FileDialog dialog)
{
    fileDialog() = std::move(dialog);
}

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
    // refuses to), so that nothing of it is lost.
    if (!m_pCurLib->loadLib(QString(), 0))
        platform::showMessage(QStringLiteral("%1文件无法读取，修改将不能保存：\n%2")
                                  .arg(libraryWord(), QDir::toNativeSeparators(
                                                          m_libType == kStartLib
                                                              ? m_startLib.m_usePath
                                                              : CVes_ModelRecordMainLib::useLibPath())),
                              platform::MessageIcon::Stop);
    m_pCurLib->loadLib(QString(), 1);
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

void CVes_ModelLibDlg::fillSubLibList(int isSys)
{
    QListWidget* list = subLibList(isSys);
    m_filling = true;
    list->clear();
    if (m_pCurLib) {
        SubLibArray& libs = isSys ? m_pCurLib->getSyslibArray() : m_pCurLib->getUselibArray();
        int position = 1;
        for (const auto& lib : libs) {
            auto* item = new QListWidgetItem(QStringLiteral("%1、%2").arg(position++).arg(lib->name()));
            item->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(lib.get())));
            list->addItem(item);
            // The entry of the shown sub-library stays selected.
            if (lib.get() == m_pShownSubLib)
                list->setCurrentItem(item);
        }
    }
    m_filling = false;
}

CVes_ModelRecordSubLib* CVes_ModelLibDlg::selectedSubLib(int isSys) const
{
    QListWidget* list = subLibList(isSys);
    const QListWidgetItem* item = list->currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    return reinterpret_cast<CVes_ModelRecordSubLib*>(item->data(Qt::UserRole).value<quintptr>());
}

CVes_ModelRecordSubLib* CVes_ModelLibDlg::shownSubLib() const
{
    return m_pShownSubLib;
}

void CVes_ModelLibDlg::showSubLib(CVes_ModelRecordSubLib* subLib)
{
    m_pShownSubLib = subLib;
    m_pShowRecords = subLib ? &subLib->getModelArray() : nullptr;
    refreshShapes();
}

void CVes_ModelLibDlg::refreshShapes()
{
    m_filling = true;
    m_list->setRecords(m_pShowRecords);
    m_filling = false;
}

void CVes_ModelLibDlg::OnSelectSubLib(int isSys, int row)
{
    QListWidget* list = subLibList(isSys);
    if (row < 0 || row >= list->count())
        return;
    m_bSys = isSys;
    m_lastSubLibIndex = row;
    if (list->currentRow() != row) {
        m_filling = true;
        list->setCurrentRow(row);
        m_filling = false;
    }
    auto* subLib = reinterpret_cast<CVes_ModelRecordSubLib*>(list->item(row)->data(Qt::UserRole).value<quintptr>());
    if (subLib != m_pShownSubLib) {
        showSubLib(subLib);
        updateCommands();
        updateButtons();
    } else {
        m_list->setFocus();
    }
}

void CVes_ModelLibDlg::OnPaneClicked(QWidget* listBox)
{
    auto* list = qobject_cast<QListWidget*>(listBox);
    if (!list)
        return;
    const int isSys = list == m_sysList ? 1 : 0;
    m_bSys = isSys;
    int row = list->currentRow();
    if (row < 0 || !list->currentItem()->isSelected()) {
        if (list->count() == 0) {
            showSubLib(nullptr);
            updateCommands();
            updateButtons();
            return;
        }
        row = 0;
        m_filling = true;
        list->setCurrentRow(0);
        m_filling = false;
    }
    auto* subLib = reinterpret_cast<CVes_ModelRecordSubLib*>(list->item(row)->data(Qt::UserRole).value<quintptr>());
    m_lastSubLibIndex = row;
    if (subLib != m_pShownSubLib)
        showSubLib(subLib);
    updateCommands();
    updateButtons();
}

CVes_ModelRecord* CVes_ModelLibDlg::getSelectShape() const
{
    if (!m_pShowRecords)
        return nullptr;
    const int limit = std::min(m_list->GetItemCount(), int(m_pShowRecords->size()));
    for (int i = limit - 1; i >= 0; --i) {
        if (m_list->GetItemState(i, CVes_ShapeListCtrl::LVIS_SELECTED))
            return (*m_pShowRecords)[size_t(i)].get();
    }
    return nullptr;
}

void CVes_ModelLibDlg::selectShape(int item)
{
    for (int i = 0; i < m_list->GetItemCount(); ++i)
        m_list->SetItemState(i, i == item ? CVes_ShapeListCtrl::LVIS_SELECTED : 0, CVes_ShapeListCtrl::LVIS_SELECTED);
}

bool CVes_ModelLibDlg::isCommandEnabled(int nID) const
{
    const bool editable = isEditable();
    const bool selected = getSelectShape() != nullptr;
    switch (nID) {
    case ID_NEW_CATEGORY:
    case ID_DELETE_CATEGORY:
    case ID_RENAME_CATEGORY:
    case ID_NEW_SHAPE:
        return editable;
    case ID_MODIFY_SHAPE:
    case ID_CUT_SHAPE:
    case ID_DELETE_SHAPE:
        return editable && selected;
    case ID_COPY_SHAPE:
        return selected;
    case ID_PASTE_SHAPE:
        return editable && m_pCopyRecord && m_pShowRecords;
    default:
        return true;
    }
}

void CVes_ModelLibDlg::OnUpdateCommandUI(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(isCommandEnabled(pCmdUI->m_nID));
}

void CVes_ModelLibDlg::updateCommands()
{
    if (m_pCommandBars)
        m_pCommandBars->UpdateCommandBars();
}

void CVes_ModelLibDlg::updateButtons()
{
    if (!isEditable())
        return;
    const bool selected = getSelectShape() != nullptr;
    m_btnMoveForward->setEnabled(selected);
    m_btnMoveBack->setEnabled(selected);
}

void CVes_ModelLibDlg::OnCommand(int nID)
{
    switch (nID) {
    case ID_NEW_CATEGORY:
        if (isEditable())
            newCategory();
        break;
    case ID_DELETE_CATEGORY:
        deleteCategory();
        break;
    case ID_RENAME_CATEGORY:
        renameCategory();
        break;
    case ID_CHANGE_SUBLIB_ID:
        changeSubLibId();
        break;
    case ID_NEW_SHAPE:
        if (!isEditable()) {
            platform::showMessage(QStringLiteral("不能在系统库中新建钢筋！"));
            break;
        }
        newShape(nullptr);
        break;
    case ID_NEW_SHAPE_FROM:
        if (const CVes_ModelRecord* selected = getSelectShape())
            newShape(selected);
        break;
    case ID_MODIFY_SHAPE:
        modifyShape();
        break;
    case ID_COPY_SHAPE:
        copyShape();
        break;
    case ID_CUT_SHAPE:
        cutShape();
        break;
    case ID_PASTE_SHAPE:
        pasteShape();
        break;
    case ID_DELETE_SHAPE:
        deleteShape();
        break;
    case ID_IMPORT_LIB:
        importLib();
        break;
    case ID_EXPORT_LIB:
        exportLib();
        break;
    case ID_IMPORT_SHAPE:
        importShape();
        break;
    case ID_EXPORT_SHAPE:
        exportShape();
        break;
    case ID_BACKUP_LIB:
        backupLib();
        break;
    case ID_RESTORE_LIB:
        restoreLib();
        break;
    default:
        return;
    }
    updateCommands();
    updateButtons();
}

bool CVes_ModelLibDlg::newCategory()
{
    CVes_InputDlg input(this);
    input.set(QStringLiteral("创建钢筋库子类"), QStringLiteral("输入子类名称"), QString());
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return false;
    if (!m_pCurLib->AddNewSubLib(input.getText(), side()))
        return false;
    fillSubLibList(side());
    return true;
}

void CVes_ModelLibDlg::deleteCategory()
{
    if (!isEditable())
        return;
    CVes_ModelRecordSubLib* subLib = selectedSubLib(side());
    if (!subLib)
        return;
    if (platform::ask(QStringLiteral("确定要删除选中的钢筋类别及其所属的所有钢筋大样吗？"), platform::Buttons::YesNo,
                      QStringLiteral("请再次确认"))
        != platform::Answer::Yes)
        return;
    if (subLib == m_pShownSubLib)
        showSubLib(nullptr);
    m_pCurLib->removeSubLib(subLib, side());
    const int isSys = side();
    fillSubLibList(isSys);
    m_lastSubLibIndex = -1;
    QListWidget* list = subLibList(isSys);
    if (list->count() > 0) {
        m_filling = true;
        list->setCurrentRow(0);
        m_filling = false;
        m_bSys = isSys;
        m_lastSubLibIndex = 0;
        showSubLib(selectedSubLib(isSys));
    } else {
        showSubLib(nullptr);
    }
}

void CVes_ModelLibDlg::renameCategory()
{
    if (!isEditable())
        return;
    CVes_ModelRecordSubLib* subLib = selectedSubLib(side());
    if (!subLib)
        return;
    CVes_InputDlg input(this);
    input.set(QStringLiteral("重命名钢筋库子类"), QStringLiteral("输入子类名称"), subLib->name());
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return;
    subLib->changName(input.getText());
    fillSubLibList(side());
}

void CVes_ModelLibDlg::changeSubLibId()
{
    if (!isEditable())
        return;
    const int isSys = side();
    CVes_ModelRecordSubLib* subLib = selectedSubLib(isSys);
    if (!subLib)
        return;
    CVes_InputDlg input(this);
    input.set(QStringLiteral("重新编号钢筋库子类"), QStringLiteral("输入子类新的编号"),
              QString::number(subLib->MainId()));
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return;
    const int id = atoiText(input.getText());
    if (id == 0 || id == subLib->MainId())
        return;
    // Keys must stay unique and on their side of the library, else shapes
    // of the sub-library could no longer be found by their keys.
    const int low = isSys ? CVes_ModelRecordMainLib::m_SysStartIndex : CVes_ModelRecordMainLib::m_UseStartIndex;
    const int high = isSys ? CVes_ModelRecordMainLib::m_UseStartIndex - 1 : 399;
    bool taken = false;
    for (SubLibArray* libs : {&m_pCurLib->getSyslibArray(), &m_pCurLib->getUselibArray()}) {
        for (const auto& lib : *libs)
            taken = taken || (lib.get() != subLib && lib->MainId() == id);
    }
    if (taken || id < low || id > high) {
        platform::showMessage(QStringLiteral("子库编号%1已被使用，或不在%2至%3之间！").arg(id).arg(low).arg(high),
                              platform::MessageIcon::Warning);
        return;
    }
    subLib->changeMainId(id);
    m_pCurLib->sortSubLib(isSys);
    fillSubLibList(isSys);
    if (subLib == m_pShownSubLib)
        refreshShapes();
}

void CVes_ModelLibDlg::newShape(const CVes_ModelRecord* from)
{
    if (m_pCurLib->getUselibArray().empty() && side() == 0 && !newCategory())
        return;
    std::unique_ptr<CVes_ModelRecord> record = newRecord();
    if (from)
        record->set(from);
    if (editShape(record.get()) != IDOK)
        return;
    addToCategory(record.get());
}

void CVes_ModelLibDlg::addToCategory(const CVes_ModelRecord* record)
{
    SubLibArray& libs = side() ? m_pCurLib->getSyslibArray() : m_pCurLib->getUselibArray();
    CVes_ModelRecordSubLib* target = nullptr;
    if (const SaveToChooser& chooser = saveToChooser()) {
        if (chooser(libs, &target) != IDOK || !target)
            return;
    } else {
        CSaveToCategoryDlg saveTo(this);
        saveTo.setCategoryArray(&libs);
        if (saveTo.DoModal() != CSaveToCategoryDlg::IDOK || !saveTo.chosenCategory())
            return;
        target = saveTo.chosenCategory();
    }
    const CSteelRecordId key = target->Add_Copy(record);
    if (target == m_pShownSubLib) {
        refreshShapes();
        for (int i = 0; i < int(m_pShowRecords->size()); ++i) {
            if ((*m_pShowRecords)[size_t(i)]->getID() == key)
                selectAndShow(i);
        }
    }
    if (backUp())
        save();
}

int CVes_ModelLibDlg::editShape(CVes_ModelRecord* record)
{
    if (const ShapeEditor& editor = shapeEditor())
        return editor(record, m_libType);
    CShapeEditorDlg editor(this);
    editor.setEditRecord(record);
    return editor.DoModal() == IDOK ? IDOK : IDCANCEL;
}

void CVes_ModelLibDlg::modifyShape()
{
    if (!isEditable())
        return;
    CVes_ModelRecord* selected = getSelectShape();
    if (!selected)
        return;
    std::unique_ptr<CVes_ModelRecord> copy = newRecord();
    copy->set(selected);
    if (editShape(copy.get()) != IDOK)
        return;
    const bool backedUp = backUp();
    const int item = m_pShowRecords ? int(std::find_if(m_pShowRecords->begin(), m_pShowRecords->end(),
                                                       [selected](const auto& r) { return r.get() == selected; })
                                          - m_pShowRecords->begin())
                                    : -1;
    selected->set(copy.get());
    refreshShapes();
    selectAndShow(item);
    if (backedUp) {
        saveSide(0);
        if (m_bManage)
            saveSide(1);
    }
    refreshTheUseRecordArray();
}

void CVes_ModelLibDlg::copyShape()
{
    const CVes_ModelRecord* selected = getSelectShape();
    if (!selected)
        return;
    m_pCopyRecord = newRecord();
    m_pCopyRecord->set(selected);
}

void CVes_ModelLibDlg::removeSelectedShape()
{
    CVes_ModelRecord* selected = getSelectShape();
    if (!selected || !m_pShowRecords)
        return;
    auto& records = *m_pShowRecords;
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [selected](const auto& r) { return r.get() == selected; }),
                  records.end());
    refreshShapes();
}

void CVes_ModelLibDlg::cutShape()
{
    if (!isEditable() || !getSelectShape())
        return;
    copyShape();
    removeSelectedShape();
}

void CVes_ModelLibDlg::deleteShape()
{
    if (!isEditable())
        return;
    removeSelectedShape();
}

void CVes_ModelLibDlg::pasteShape()
{
    if (!isEditable()) {
        platform::showMessage(QStringLiteral("系统库不能新建大样"));
        return;
    }
    if (!m_pCopyRecord || !m_pShowRecords)
        return;
    CVes_ModelRecordSubLib* target = selectedSubLib(side());
    if (!target)
        return;
    target->Add_Copy(m_pCopyRecord.get());
    refreshShapes();
}

QString CVes_ModelLibDlg::runFileDialog(const ModelLibFileRequest& request) const
{
    if (const FileDialog& hook = fileDialog())
        return hook(request);
    QFileDialog dialog(const_cast<CVes_ModelLibDlg*>(this), request.title);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.defaultName.contains(QLatin1Char('*')))
        dialog.selectFile(request.defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void CVes_ModelLibDlg::importLib()
{
    ModelLibFileRequest request;
    request.defaultName = QStringLiteral("*.jlb");
    request.defaultSuffix = QStringLiteral("jlb");
    request.filter = qtFileFilter(QString::fromUtf8(kLibFilter));
    request.mustExist = true;
    const QString path = runFileDialog(request);
    if (path.isEmpty())
        return;
    if (!m_pCurLib->appendLib(path, 0)) {
        reportUnreadableImport(path);
        return;
    }
    refreshShapes();
    fillSubLibList(0);
    fillSubLibList(side());
    m_sysList->update();
    m_useList->update();
}

void CVes_ModelLibDlg::exportLib()
{
    ModelLibFileRequest request;
    request.save = true;
    request.defaultName = QStringLiteral("*.jlb");
    request.defaultSuffix = QStringLiteral("jlb");
    request.filter = qtFileFilter(QString::fromUtf8(kLibFilter));
    const QString path = runFileDialog(request);
    if (path.isEmpty())
        return;
    if (!m_pCurLib->saveLib(path, 0))
        platform::showMessage(QStringLiteral("文件保存失败：\n%1").arg(QDir::toNativeSeparators(path)),
                              platform::MessageIcon::Stop);
}

void CVes_ModelLibDlg::importShape()
{
    ModelLibFileRequest request;
    request.defaultName = QStringLiteral("*.stl");
    request.defaultSuffix = QStringLiteral("stl");
    request.filter = qtFileFilter(QString::fromUtf8(kShapeFilter));
    request.mustExist = true;
    const QString path = runFileDialog(request);
    if (path.isEmpty())
        return;
    std::unique_ptr<CVes_ModelRecord> record = newRecord();
    if (!record->readFile(path)) {
        reportUnreadableImport(path);
        return;
    }
    if (m_pCurLib->getUselibArray().empty() && side() == 0 && !newCategory())
        return;
    addToCategory(record.get());
}

void CVes_ModelLibDlg::exportShape()
{
    CVes_ModelRecord* selected = getSelectShape();
    if (!selected)
        return;
    ModelLibFileRequest request;
    request.save = true;
    request.defaultName = selected->getID().ToString() + QStringLiteral(".stl");
    request.defaultSuffix = QStringLiteral("stl");
    request.filter = qtFileFilter(QString::fromUtf8(kShapeFilter));
    const QString path = runFileDialog(request);
    if (path.isEmpty())
        return;
    if (!selected->saveFile(path))
        platform::showMessage(QStringLiteral("文件保存失败：\n%1").arg(QDir::toNativeSeparators(path)),
                              platform::MessageIcon::Stop);
}

void CVes_ModelLibDlg::backupLib()
{
    const QString stamp = platform::host().now().toString(QStringLiteral("yyyy_MM_dd_HH_mm"));
    ModelLibFileRequest request;
    request.save = true;
    request.defaultName = QStringLiteral("用户钢筋库备份_%1.jlb").arg(stamp);
    request.defaultSuffix = QStringLiteral("jlb");
    request.filter = qtFileFilter(QString::fromUtf8(kLibFilter));
    const QString path = runFileDialog(request);
    if (path.isEmpty())
        return;
    if (!m_pCurLib->saveLib(path, 0))
        platform::showMessage(QStringLiteral("文件保存失败：\n%1").arg(QDir::toNativeSeparators(path)),
                              platform::MessageIcon::Stop);
}

void CVes_ModelLibDlg::restoreLib()
{
    if (platform::ask(QStringLiteral("进行此次操作后，目前的钢筋大样库将被取代，请确认是否执行此次操作？"))
        != platform::Answer::Yes)
        return;
    ModelLibFileRequest request;
    request.defaultName = QStringLiteral("*.jlb");
    request.defaultSuffix = QStringLiteral("jlb");
    request.filter = qtFileFilter(QString::fromUtf8(kLibFilter));
    request.mustExist = true;
    const QString path = runFileDialog(request);
    if (path.isEmpty())
        return;
    if (platform::ask(QStringLiteral("进行此次操作后，目前的钢筋大样库将被取代，请再次确认是否执行此次操作？"))
        != platform::Answer::Yes)
        return;
    // The present library is kept when its backup failed or the file
    // cannot replace it.
    if (!backUp())
        return;
    if (!m_pCurLib->restoreLib(path, 0)) {
        platform::showMessage(QStringLiteral("恢复失败，文件无法读取或不含钢筋大样：\n%1").arg(QDir::toNativeSeparators(path)),
                              platform::MessageIcon::Stop);
        return;
    }
    // The user side was replaced: what was shown of it is gone.
    const bool userShown = m_pShownSubLib && !m_bSys;
    if (userShown) {
        m_pShownSubLib = nullptr;
        m_pShowRecords = nullptr;
    }
    fillSubLibList(0);
    fillSubLibList(side());
    if (userShown)
        OnPaneClicked(m_useList);
    else
        refreshShapes();
    m_sysList->update();
    m_useList->update();
    saveSide(0);
}

void CVes_ModelLibDlg::selectAndShow(int item)
{
    if (item < 0 || item >= m_list->GetItemCount())
        return;
    selectShape(item);
    m_list->EnsureVisible(item);
    m_list->setCurrentRow(item, QItemSelectionModel::NoUpdate);
    m_list->setFocus();
}

void CVes_ModelLibDlg::OnMoveForward()
{
    if (!isEditable() || !m_pShowRecords)
        return;
    const int item = m_list->nextSelectedItem(-1);
    if (item <= 0 || item >= int(m_pShowRecords->size()))
        return;
    std::swap((*m_pShowRecords)[size_t(item)], (*m_pShowRecords)[size_t(item - 1)]);
    refreshShapes();
    selectAndShow(item - 1);
}

void CVes_ModelLibDlg::OnMoveBack()
{
    if (!isEditable() || !m_pShowRecords)
        return;
    const CVes_ModelRecord* selected = getSelectShape();
    if (!selected)
        return;
    int item = -1;
    for (int i = 0; i < int(m_pShowRecords->size()); ++i) {
        if ((*m_pShowRecords)[size_t(i)].get() == selected)
            item = i;
    }
    if (item < 0 || item + 1 >= int(m_pShowRecords->size()))
        return;
    std::swap((*m_pShowRecords)[size_t(item)], (*m_pShowRecords)[size_t(item + 1)]);
    refreshShapes();
    selectAndShow(item + 1);
}

void CVes_ModelLibDlg::OnMoveTo()
{
    if (!isEditable() || !m_pShowRecords)
        return;
    const CVes_ModelRecord* moved = getSelectShape();
    if (!moved)
        return;
    CVes_InputDlg input(this);
    input.set(QStringLiteral("请输入移动位置"), QStringLiteral("请输入移动到哪个编号位置"), QString());
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return;
    const CSteelRecordId key = CSteelRecordId::setId(input.getText());
    if (key.m_mainId < 0 || key.m_recordNo < 0)
        return;
    auto& records = *m_pShowRecords;
    const auto target = std::find_if(records.begin(), records.end(), [&](const auto& r) { return r->getID() == key; });
    if (target == records.end() || target->get() == moved)
        return;
    const auto from = std::find_if(records.begin(), records.end(), [&](const auto& r) { return r.get() == moved; });
    std::unique_ptr<CVes_ModelRecord> taken = std::move(*from);
    records.erase(from);
    const auto before = std::find_if(records.begin(), records.end(), [&](const auto& r) { return r->getID() == key; });
    const int item = int(before - records.begin());
    records.insert(before, std::move(taken));
    refreshShapes();
    selectAndShow(item);
}

void CVes_ModelLibDlg::OnUserNumber()
{
    const CVes_ModelRecord* selected = getSelectShape();
    if (!selected)
        return;
    const bool start = m_libType == kStartLib;
    CVes_SteelModelUserIdLib ids;
    if (start)
        ids.readStartFile(QString());
    else
        ids.readFile(QString());
    CVes_InputDlg input(this);
    input.set(start ? QStringLiteral("图例用户自定义编号") : QStringLiteral("钢筋大样用户自定义编号"),
              QStringLiteral("输入自定义编号"), QString());
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return;
    QString text = input.getText();
    int blanks = 0;
    while (blanks < text.size() && text.at(blanks).isSpace())
        ++blanks;
    text = text.mid(blanks);
    const CSteelRecordId key = selected->getID();
    if (ids.addRecord(key, text, 0) == 0) {
        const CSteelRecordId owner = ids.getRecordId(text);
        if (platform::ask(QStringLiteral("用户自定义编号[%1]已经用于[%2-%3],是否继续？")
                              .arg(text)
                              .arg(owner.m_mainId)
                              .arg(owner.m_recordNo))
            == platform::Answer::Yes)
            ids.addRecord(key, text, 1);
    }
    const bool written = start ? ids.writeStartFile(QString()) : ids.writeFile(QString());
    if (!written)
        platform::showMessage(QStringLiteral("用户自定义编号保存失败：\n%1")
                                  .arg(QDir::toNativeSeparators(start ? CVes_SteelModelUserIdLib::startFilePath()
                                                                      : CVes_SteelModelUserIdLib::steelFilePath())),
                              platform::MessageIcon::Stop);
    const int item = m_list->nextSelectedItem(-1);
    refreshShapes();
    selectAndShow(item);
}

void CVes_ModelLibDlg::OnSave()
{
    if (!m_bManage)
        return;
    m_ver1 = m_verEdits[0]->text().toInt();
    m_ver2 = m_verEdits[1]->text().toInt();
    m_ver3 = m_verEdits[2]->text().toInt();
    m_pCurLib->setVer(m_ver1, m_ver2, m_ver3);
    saveSide(1);
}

void CVes_ModelLibDlg::OnShapeDoubleClicked()
{
    if (m_bManage)
        OnCommand(ID_MODIFY_SHAPE);
    else
        accept();
}

void CVes_ModelLibDlg::OnEndLabelEdit(int item, const QString& text)
{
    if (!m_bManage || !m_pShowRecords || item < 0 || item >= int(m_pShowRecords->size()))
        return;
    CVes_ModelRecord* record = (*m_pShowRecords)[size_t(item)].get();
    const int dash = text.indexOf(QLatin1Char('-'));
    const int number = atoiText(dash >= 0 ? text.mid(dash + 1) : text);
    // A number must be positive and unique in its sub-library, or two
    // shapes would answer to one key.
    const bool taken = std::any_of(m_pShowRecords->begin(), m_pShowRecords->end(), [&](const auto& r) {
        return r.get() != record && r->m_id.m_recordNo == number;
    });
    if (number < 1 || taken) {
        platform::showMessage(QStringLiteral("编号%1无效或已被使用！").arg(number), platform::MessageIcon::Warning);
        m_filling = true;
        m_list->item(item)->setText(m_list->captions().value(item));
        m_filling = false;
        return;
    }
    record->m_id.m_recordNo = number;
}

bool CVes_ModelLibDlg::backUp()
{
    const QString source = m_libType == kStartLib ? m_startLib.m_usePath : CVes_ModelRecordMainLib::useLibPath();
    if (!QFileInfo::exists(source))
        return true; // nothing stored yet, nothing to keep
    const QString stamp = platform::host().now().toString(QStringLiteral("yyyy_MM_dd_HH_mm"));
    const QString target = GetRODOFilePath() + QStringLiteral("userdata/用户钢筋库备份_%1.jlb").arg(stamp);
    m_pCurLib->bakLib(target, 0);
    QFile copied(target);
    if (copied.exists() && copied.size() == QFileInfo(source).size())
        return true;
    platform::showMessage(QStringLiteral("%1备份失败，本次修改未保存：\n%2").arg(libraryWord(), QDir::toNativeSeparators(target)),
                          platform::MessageIcon::Stop);
    return false;
}

bool CVes_ModelLibDlg::saveSide(int isSys)
{
    if (m_pCurLib->saveLib(QString(), isSys))
        return true;
    QString path;
    if (m_libType == kStartLib)
        path = isSys ? m_startLib.m_sysPath : m_startLib.m_usePath;
    else
        path = isSys ? CVes_ModelRecordMainLib::sysLibPath() : CVes_ModelRecordMainLib::useLibPath();
    platform::showMessage(QStringLiteral("%1保存失败：\n%2").arg(libraryWord(), QDir::toNativeSeparators(path)),
                          platform::MessageIcon::Stop);
    return false;
}

bool CVes_ModelLibDlg::save()
{
    bool saved = saveSide(0);
    if (m_bManage)
        saved = saveSide(1) && saved;
    return saved;
}

void CVes_ModelLibDlg::accept()
{
    m_pChooseRecord = getSelectShape();
    if (m_bManage) {
        m_ver1 = m_verEdits[0]->text().toInt();
        m_ver2 = m_verEdits[1]->text().toInt();
        m_ver3 = m_verEdits[2]->text().toInt();
        m_pCurLib->setVer(m_ver1, m_ver2, m_ver3);
        saveSide(1);
    }
    saveSide(0);
    EndDialog(IDOK);
}
