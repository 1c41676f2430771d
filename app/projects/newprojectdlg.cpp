#include "app/projects/newprojectdlg.h"

#include "app/projects/projectpaths.h"
#include "envora/projectinfo.h"
#include "envora/ui/textonpictrue.h"
#include "grid/gridcellcheck.h"
#include "grid/gridctrl.h"
#include "grid/gridowner.h"
#include "platform/hostservices.h"
#include "platform/profile.h"
#include "platform/ui/translations.h"
#include "tables/framework/tableslibrary.h"
#include "widgara/browsedialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using projects::joinPath;
using platform::gdi::RGB;

namespace {

constexpr int kGridId = 1052;
constexpr int kHeaderHeight = 30;
constexpr int kNumberWidth = 40;
constexpr int kStoreyWidth = 160;
constexpr int kElementWidth = 60;
constexpr int kMaxFloors = 200;
const QString kSettingSection = QStringLiteral("setting");
const QString kProjectPathKey = QStringLiteral("projectPath");
const QString kFoundationStorey = QStringLiteral("基础层");

} // namespace

// Takes the storey grid's notifications for the dialog.
class StoreyGridOwner : public GridOwner {
public:
    explicit StoreyGridOwner(CNewProjectDlg* dialog) : m_dialog(dialog) {}
    LRESULT OnGridNotify(const GridNotify& notify) override
    {
        if (notify.hdr.code == NM_CLICK || notify.hdr.code == GridSelChanged)
            m_dialog->OnGridClick(notify.iRow, notify.iColumn);
        return 0;
    }

private:
    CNewProjectDlg* m_dialog;
};

const QStringList& CNewProjectDlg::elementTypes()
{
    static const QStringList types = {QStringLiteral("柱"), QStringLiteral("墙"), QStringLiteral("梁"),
                                      QStringLiteral("板"), QStringLiteral("楼梯"), QStringLiteral("基础")};
    return types;
}

CNewProjectDlg::CNewProjectDlg(QWidget* parent)
    : QDialog(parent), m_gridOwner(std::make_unique<StoreyGridOwner>(this))
{
    setWindowTitle(QStringLiteral("新建工程"));
    m_strBaseFolder = platform::profileValue(kSettingSection, kProjectPathKey).toString();
    // Without a default folder new projects go into the user's home folder.
    if (m_strBaseFolder.isEmpty())
        m_strBaseFolder = QDir::homePath();
    buildLayout();
    m_folderEdit->setText(joinPath(m_strBaseFolder, m_strName));
    fillGrid();
    connect(m_nameEdit, &QLineEdit::textChanged, this,
            [this](const QString& name) { m_folderEdit->setText(joinPath(m_strBaseFolder, name)); });
    connect(m_foundationBox, &QCheckBox::toggled, this, [this] { fillGrid(); });
    connect(m_belowBox, &QSpinBox::valueChanged, this, [this] { fillGrid(); });
    connect(m_aboveBox, &QSpinBox::valueChanged, this, [this] { fillGrid(); });
    connect(m_browseButton, &QPushButton::clicked, this, [this] { OnBrowse(); });
    connect(m_defaultButton, &QPushButton::clicked, this, [this] { OnSetDefaultFolder(); });
    connect(m_insertButton, &QPushButton::clicked, this, [this] { OnInsertRow(); });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] { OnDeleteRow(); });
    enableDialogTheme(this);
}

CNewProjectDlg::~CNewProjectDlg() = default;

void CNewProjectDlg::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    m_banner = new CVes_TextOnPictrue(this);
    m_banner->setText(QStringLiteral("新建工程与设置"));
    m_banner->setFontHeight(160);
    m_banner->setFixedHeight(48);
    layout->addWidget(m_banner);

    auto* fields = new QGridLayout;
    const auto line = [&](int row, const char* label, QLineEdit*& edit) {
        fields->addWidget(new QLabel(QString::fromUtf8(label), this), row, 0);
        edit = new QLineEdit(this);
        fields->addWidget(edit, row, 1, 1, row < 2 ? 1 : 3);
    };
    line(0, "工程名称", m_nameEdit);
    line(1, "保存到", m_folderEdit);
    m_browseButton = new QPushButton(QStringLiteral("浏览"), this);
    m_defaultButton = new QPushButton(QStringLiteral("设为默认工程目录"), this);
    fields->addWidget(m_browseButton, 1, 2);
    fields->addWidget(m_defaultButton, 1, 3);
    line(2, "施工单位", m_companyEdit);
    line(3, "编制者", m_compilerEdit);
    line(4, "校对者", m_checkerEdit);
    layout->addLayout(fields);

    auto* storeys = new QGroupBox(this);
    auto* storeyLayout = new QVBoxLayout(storeys);
    auto* options = new QHBoxLayout;
    m_makeFoldersBox = new QCheckBox(QStringLiteral("自动按以下信息批量创建子目录"), storeys);
    m_makeFoldersBox->setChecked(m_bMakeFolders);
    m_foundationBox = new QCheckBox(QStringLiteral("包含基础层"), storeys);
    m_foundationBox->setChecked(m_bFoundation);
    const auto floors = [&](const char* label, int value) {
        options->addWidget(new QLabel(QString::fromUtf8(label), storeys));
        auto* box = new QSpinBox(storeys);
        box->setRange(0, kMaxFloors);
        box->setValue(value);
        options->addWidget(box);
        options->addWidget(new QLabel(QStringLiteral("层"), storeys));
        return box;
    };
    options->addWidget(m_makeFoldersBox);
    options->addWidget(m_foundationBox);
    m_belowBox = floors("地下", m_nBelow);
    m_aboveBox = floors("地上", m_nAbove);
    options->addStretch();
    m_insertButton = new QPushButton(QStringLiteral("插入层"), storeys);
    m_deleteButton = new QPushButton(QStringLiteral("删除层"), storeys);
    options->addWidget(m_insertButton);
    options->addWidget(m_deleteButton);
    storeyLayout->addLayout(options);
    m_grid = new CGridCtrl(0, 0, 0, 0, storeys);
    m_grid->SetDlgCtrlID(kGridId);
    m_grid->SetOwner(m_gridOwner.get());
    m_grid->SetGridBkColor(RGB(226, 239, 253));
    for (bool fixedRow : {true, false})
        for (bool fixedCol : {true, false})
            if (fixedRow || fixedCol)
                m_grid->GetDefaultCell(fixedRow, fixedCol)->SetBackClr(RGB(230, 230, 240));
    m_grid->setMinimumSize(kNumberWidth + kStoreyWidth + 6 * kElementWidth + 24, 260);
    storeyLayout->addWidget(m_grid, 1);
    layout->addWidget(storeys, 1);

    auto* buttons = platform::okCancelButtons(*this);
    layout->addWidget(buttons);
}

// the storey grid

void CNewProjectDlg::fillGrid()
{
    m_bFoundation = m_foundationBox->isChecked();
    m_nBelow = m_belowBox->value();
    m_nAbove = m_aboveBox->value();
    m_nGridRow = m_nGridCol = -1;
    m_grid->DeleteAllItems();
    m_grid->SetColumnCount(kColumnCount);
    m_grid->SetRowCount(1);
    m_grid->SetFixedRowCount(1);
    m_grid->SetFixedColumnCount(1);
    m_grid->SetRowHeight(0, kHeaderHeight);
    m_grid->SetColumnWidth(0, kNumberWidth);
    m_grid->SetColumnWidth(1, kStoreyWidth);
    m_grid->SetItemText(0, 0, QStringLiteral("序号"));
    m_grid->SetItemText(0, 1, QStringLiteral("施工部位"));
    for (int c = kFirstElementColumn; c < kColumnCount; ++c) {
        m_grid->SetColumnWidth(c, kElementWidth);
        m_grid->SetItemText(0, c, elementTypes()[c - kFirstElementColumn]);
    }
    QStringList names;
    if (m_bFoundation)
        names << kFoundationStorey;
    for (int n = m_nBelow; n >= 1; --n)
        names << QString::asprintf("第-%d层", n);
    for (int i = 1; i <= m_nAbove; ++i)
        names << QString::asprintf("第%d层", i);
    for (const QString& name : names) {
        const int row = m_grid->InsertRow(QString());
        setRow(row, name, m_bFoundation && row == 1);
    }
    renumber();
    m_grid->InvalidateGrid();
}

void CNewProjectDlg::setRow(int row, const QString& storey, bool foundation)
{
    m_grid->SetItemText(row, 1, storey);
    const int last = kColumnCount - 1;
    for (int c = kFirstElementColumn; c < kColumnCount; ++c) {
        // Above the foundation no storey holds foundations.
        if (!foundation && c == last) {
            m_grid->SetItemText(row, c, QString());
            m_grid->SetItemState(row, c, m_grid->GetItemState(row, c) | GridStateReadOnly);
            continue;
        }
        m_grid->SetCellType(row, c, GridCellClass::Of<CGridCellCheck>());
        m_grid->SetItemState(row, c, m_grid->GetItemState(row, c) | GridStateReadOnly);
        if (auto* cell = dynamic_cast<CGridCellCheck*>(m_grid->GetCell(row, c)))
            cell->SetCheck(foundation ? c == last : true);
    }
}

void CNewProjectDlg::renumber()
{
    for (int r = 1; r < m_grid->GetRowCount(); ++r)
        m_grid->SetItemText(r, 0, QString::asprintf("%d", r));
}

void CNewProjectDlg::OnGridClick(int row, int column)
{
    m_nGridRow = row;
    m_nGridCol = column;
}

void CNewProjectDlg::OnInsertRow()
{
    const bool onRow = m_nGridRow >= 1 && m_nGridRow < m_grid->GetRowCount();
    const int row = m_grid->InsertRow(QString(), onRow ? m_nGridRow : -1);
    setRow(row, QString(), false);
    renumber();
    m_grid->InvalidateGrid();
}

void CNewProjectDlg::OnDeleteRow()
{
    if (m_nGridRow < 1 || m_nGridRow >= m_grid->GetRowCount())
        return;
    m_grid->DeleteRow(m_nGridRow);
    m_nGridRow = m_nGridCol = -1;
    renumber();
    m_grid->InvalidateGrid();
}

std::vector<CNewProjectDlg::Storey> CNewProjectDlg::gridStoreys()
{
    std::vector<Storey> storeys;
    for (int r = 1; r < m_grid->GetRowCount(); ++r) {
        Storey storey{m_grid->GetItemText(r, 1).trimmed(), {}};
        if (storey.name.isEmpty())
            continue;
        for (int c = kFirstElementColumn; c < kColumnCount; ++c) {
            const auto* cell = dynamic_cast<CGridCellCheck*>(m_grid->GetCell(r, c));
            if (cell && cell->GetCheck())
                storey.elementTypes << elementTypes()[c - kFirstElementColumn];
        }
        storeys.push_back(std::move(storey));
    }
    return storeys;
}

// folders

QString CNewProjectDlg::baseFolderShown() const
{
    const QString folder = QDir::cleanPath(m_folderEdit->text().trimmed());
    const QString name = m_nameEdit->text().trimmed();
    if (!name.isEmpty() && folder.endsWith(u'/' + name))
        return folder.left(folder.size() - name.size() - 1);
    return folder;
}

void CNewProjectDlg::OnBrowse()
{
    CXTBrowseDialog browse(this);
    browse.SetTitle(QStringLiteral("选择保存工程的目录"));
    browse.SetSelPath(m_strBaseFolder);
    if (browse.DoModal() != CXTBrowseDialog::IDOK)
        return;
    m_strBaseFolder = browse.GetSelPath();
    m_folderEdit->setText(joinPath(m_strBaseFolder, m_nameEdit->text()));
}

void CNewProjectDlg::OnSetDefaultFolder()
{
    m_strBaseFolder = baseFolderShown();
    platform::setProfileValue(kSettingSection, kProjectPathKey, m_strBaseFolder);
    platform::showMessage(QStringLiteral("[ %1 ] 已设为您的默认Rodo表工作目录").arg(m_strBaseFolder));
}

// OK

void CNewProjectDlg::readControls()
{
    m_strName = m_nameEdit->text().trimmed();
    m_strFolder = m_folderEdit->text().trimmed();
    m_strCompany = m_companyEdit->text();
    m_strCompiler = m_compilerEdit->text();
    m_strChecker = m_checkerEdit->text();
    m_bMakeFolders = m_makeFoldersBox->isChecked();
    m_bFoundation = m_foundationBox->isChecked();
    m_nBelow = m_belowBox->value();
    m_nAbove = m_aboveBox->value();
}

QString CNewProjectDlg::problem(const std::vector<Storey>& storeys) const
{
    if (m_strName.isEmpty())
        return QStringLiteral("工程名称不能为空！");
    if (m_strFolder.isEmpty())
        return QStringLiteral("保存目录名称不能为空！");
    if (const QString bad = projects::nameProblem(m_strName); !bad.isEmpty())
        return bad;
    if (!QDir::isAbsolutePath(m_strFolder))
        return QStringLiteral("保存目录“%1”不是完整的路径。").arg(m_strFolder);
    for (const char* file : {CVes_ProjectInfo::kFileName, CVes_BuildingInfo::kFileName})
        if (QFileInfo::exists(joinPath(m_strFolder, QString::fromUtf8(file))))
            return QStringLiteral("目录“%1”中已有工程，不能在此新建工程，请另选保存目录。").arg(m_strFolder);
    if (!m_bMakeFolders)
        return {};
    QStringList seen;
    for (const Storey& storey : storeys) {
        if (const QString bad = projects::nameProblem(storey.name); !bad.isEmpty())
            return bad;
        if (seen.contains(storey.name, Qt::CaseInsensitive))
            return QStringLiteral("施工部位“%1”重复。").arg(storey.name);
        seen << storey.name;
    }
    return {};
}

void CNewProjectDlg::accept()
{
    readControls();
    const std::vector<Storey> storeys = gridStoreys();
    if (const QString bad = problem(storeys); !bad.isEmpty()) {
        platform::showMessage(bad, platform::MessageIcon::Warning);
        return;
    }
    m_strFolder = QDir::cleanPath(m_strFolder);
    if (!projects::makeFolder(m_strFolder) || !makeProject(storeys))
        return;
    QDialog::accept();
}

bool CNewProjectDlg::makeProject(const std::vector<Storey>& storeys)
{
    auto building = std::make_unique<CVes_BuildingInfo>();
    building->setName(m_strName);
    building->setFolder(m_strFolder);
    building->setCompany(m_strCompany);
    building->setPreparer(m_strCompiler);
    building->setChecker(m_strChecker);
    building->setFlag(1);
    // A storey or element-type folder that cannot be made is left out; the
    // user was told.
    for (const Storey& storey : m_bMakeFolders ? storeys : std::vector<Storey>()) {
        const QString folder = joinPath(m_strFolder, storey.name);
        if (!projects::makeFolder(folder))
            continue;
        CVes_LayerInfo* layer = building->AddLayerInfo(storey.name);
        for (const QString& type : storey.elementTypes)
            if (layer && projects::makeFolder(joinPath(folder, type)))
                layer->AddElementType(type);
    }
    CVes_ProjectInfo project;
    project.setFolder(m_strFolder);
    CVes_BuildingInfo* added = project.addBuilding(std::move(building));
    const QString buildingPath = joinPath(m_strFolder, QString::fromUtf8(CVes_BuildingInfo::kFileName));
    QString error;
    if (added && added->writeFile(buildingPath, &error)) {
        if (project.writeFile(joinPath(m_strFolder, QString::fromUtf8(CVes_ProjectInfo::kFileName)), &error))
            return true;
        // Half a project would keep the next try from making it.
        QFile::remove(buildingPath);
    }
    platform::showMessage(QStringLiteral("不能保存工程信息：%1").arg(error), platform::MessageIcon::Warning);
    return false;
}
