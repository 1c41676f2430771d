#include "app/documents/setupdoc.h"

#include "app/documents/deliverynotedlg.h"
#include "app/documents/documentids.h"
#include "app/documents/setupmainview.h"
#include "app/documents/sharedfiles.h"
#include "app/documents/sheetcontainerview.h"
#include "app/documents/appdata.h"
#include "platform/disposal.h"
#include "platform/hostservices.h"
#include "platform/profile.h"
#include "platform/savefile.h"
#include "platform/ui/doctemplate.h"
#include "platform/archive.h"
#include "shapeui/bendkitexports.h"
#include "tables/barlist/setuptable.h"
#include "tables/barlist/ui/setupview2.h"
#include "tables/framework/tablecontents.h"
#include "tables/framework/ui/tableview.h"
#include "tables/processing/liaopaitable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tables/quantity/youhuaduanliaotable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScopedValueRollback>

namespace {

const QString kSettings = QStringLiteral("settings");

SheetDocument::Texts setupTexts()
{
    SheetDocument::Texts t;
    t.extension = QStringLiteral("pld");
    t.filter = QStringLiteral("钢筋配料单(*.pld)");
    t.schemaMessage = QStringLiteral("此文件版本与您使用的程序版本不符，无法正常显示。\n"
                                     "若想正常显示表格内容，请升级Rodo表到最新的版本！");
    t.templateExtension = QStringLiteral("jtm");
    t.saveTemplateFilter = QStringLiteral("配料单表格模板(*.jtm)");
    t.openTemplateFilter = QStringLiteral("表格模板(*.jtm)");
    t.defaultTemplateFilter = QStringLiteral("表格模板(*.jtm)");
    t.profileKey = QStringLiteral("配料单");
    t.cancelDefaultText = QStringLiteral("确定要取消“%1”作为新建配料单的默认模板");
    t.askDefaultAfterSave = true;
    t.nameItems = 3;
    return t;
}

int profileInt(const char* key, int fallback)
{
    return platform::profileValue(kSettings, QString::fromUtf8(key), fallback).toInt();
}

// The ends an end command works on: Ctrl the left, Shift the right, both or
// neither both.
struct Ends {
    bool left;
    bool right;
};

Ends endsOf(Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    if (ctrl != shift)
        return {ctrl, shift};
    return {true, true};
}

// The end connection of each command 32928 to 32936.
constexpr unsigned int kConnectStyles[] = {1, 2, 3, 5, 4, 6, 8, 7, 0};

// The grade of each command 32990 to 33006; 0 where the command is none.
constexpr int kMoreGrades[] = {14, 12, 23, 33, 42, 11, 21, 31, 0, 41, 19, 20, 18, 17, 16, 15, 13};

// The hooks or connections of the command `nID` on the chosen ends of the
// selected bars.
void applyEndCommand(CVes_SetupTable& t, int nID, Ends ends)
{
    switch (nID) {
    case ID_HOOK_NONE:
        if (ends.left)
            t.setSelLineHookLeft(0);
        if (ends.right)
            t.setSelLineHookRight(0);
        break;
    case ID_HOOK_180:
    case ID_HOOK_135:
    case ID_HOOK_90: {
        const int angle = nID == ID_HOOK_180 ? 4 : nID == ID_HOOK_135 ? 2 : 1;
        if (ends.left) {
            t.setSelLineHookLeft(1);
            t.setSelLineHookLeftAng(angle);
            t.setSelLineHookLeftDirect(8);
        }
        if (ends.right) {
            t.setSelLineHookRight(1);
            t.setSelLineHookRightAng(angle);
            t.setSelLineHookRightDirect(16);
        }
        break;
    }
    case ID_HOOK_FLIP:
        t.setSelLineHookDirectFan(ends.left && ends.right ? 0 : ends.left ? 1 : 2);
        break;
    case ID_CONNECT_REVERSE:
        // Each end turns to the opposite of what the selection shares there.
        if (ends.left)
            t.setSelLineConnect_SiKou_Left(t.isSameConnect_SiKou_LeftOfSelLine() ? 0 : 1);
        if (ends.right)
            t.setSelLineConnect_SiKou_Right(t.isSameConnect_SiKou_RightOfSelLine() ? 0 : 1);
        break;
    default:
        if (nID >= ID_CONNECT_FIRST && nID <= ID_CONNECT_LAST) {
            const unsigned int style = kConnectStyles[nID - ID_CONNECT_FIRST];
            if (ends.left)
                t.setSelLineConnect_Style_Left(style);
            if (ends.right)
                t.setSelLineConnect_Style_Right(style);
        }
        break;
    }
}

} // namespace

CRODOSetUpDoc::CRODOSetUpDoc()
    : SheetDocument(setupTexts()), m_pSetupTable(std::make_unique<CVes_SetupTable>()),
      m_pSummaryTable(std::make_unique<CVes_SLSumaryTable>()),
      m_pSummaryJTTable(std::make_unique<CVes_SLSumaryJTtable>()),
      m_pSortTable(std::make_unique<CVes_SortBarSheet>()),
      m_pJinHuoTable(std::make_unique<CVes_SteelJinHuoSumaryTable>()),
      m_pLiaoPaiTable(std::make_unique<CVes_LiaoPaiTable>()),
      m_pDuanLiaoTable(std::make_unique<CVes_YouhuaDuanLiaoTable>()),
      m_pContentsTable(std::make_unique<CVes_TableContents>())
{
    // The sheet the user types into takes the clipboard keys; the sheets
    // made from it stay read-only.
    m_pSetupTable->setReadOnly(0);
    CVes_SetupTable::nameBarSummary(*m_pSummaryTable);
    if (loadDefaultTemplate())
        m_pSetupTable->initTableCover();
    // A new sheet starts with nothing to undo.
    m_pSetupTable->resetUndo();
    enableSortBuild(SheetBuild::Kind::BarList, m_pSortTable.get());
    addCommands();
}

CRODOSetUpDoc::~CRODOSetUpDoc()
{
    cancelBuilds();
    // The list, its undo history and the sheets made from it are freed on
    // a thread of their own: for a big list that takes long. The list goes
    // last, as the members would.
    platform::disposeInBackground(m_pContentsTable, m_pDuanLiaoTable, m_pLiaoPaiTable, m_pJinHuoTable,
                                  m_pSortTable, m_pSummaryJTTable, m_pSummaryTable, m_pSetupTable);
}

CVes_TableBase* CRODOSetUpDoc::mainTable() const
{
    return m_pSetupTable.get();
}

std::vector<docfiles::TemplatePart> CRODOSetUpDoc::templateParts() const
{
    return {{m_pSetupTable.get(), QString()},
            {m_pSortTable.get(), QStringLiteral("jtm2")},
            {m_pSummaryTable.get(), QStringLiteral("jtm3")},
            {m_pSummaryJTTable.get(), QStringLiteral("jtm4")},
            {m_pJinHuoTable.get(), QStringLiteral("jtm5")}};
}

QString CRODOSetUpDoc::templateFolder() const
{
    return GetSetupTemplateFolder();
}

void CRODOSetUpDoc::markTableSaved()
{
    // An automatic save leaves Undo and Redo as they were; a save the user
    // asks for makes the saved state the only undo step.
    if (m_autoSaving)
        m_pSetupTable->setAutoSaved();
    else
        m_pSetupTable->setSaved();
}

// open, save, backup, auto-save and recovery

bool CRODOSetUpDoc::OnOpenDocument(const QString& path)
{
    QString error;
    const ReadOutcome outcome = readFrom(path, &error);
    if (outcome == ReadOutcome::Read) {
        SetModifiedFlag(false);
        if (FileExists(docfiles::recoveryPath(path)))
            offerRecovery(path);
        return true;
    }
    return offerRecoveryInstead(path, unreadText(path, outcome, error));
}

void CRODOSetUpDoc::offerRecovery(const QString& path)
{
    const QString recovery = docfiles::recoveryPath(path);
    const QString question =
        QStringLiteral("“%1”有一个自动保存的文件（%2），其中可能有未保存的修改。\n是否从自动保存的文件恢复？\n"
                       "选“否”将不恢复，自动保存的文件在下次保存后删除。")
            .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(recovery));
    if (platform::ask(question) == platform::Answer::Yes) {
        if (SheetDocument::OnOpenDocument(recovery)) {
            adoptRecoveryFile(recovery);
            return;
        }
        // What failed to read left nothing: the file's contents come back.
        SheetDocument::OnOpenDocument(path);
    }
    setRecoveryFileAside(path);
}

bool CRODOSetUpDoc::offerRecoveryInstead(const QString& path, const QString& why)
{
    const QString recovery = docfiles::recoveryPath(path);
    // Only a recovery file that reads whole is offered; otherwise the user
    // learns why the list itself was not opened.
    if (!FileExists(recovery) || readFrom(recovery) != ReadOutcome::Read) {
        platform::showMessage(why, platform::MessageIcon::Stop);
        return false;
    }
    const QString question =
        why + QStringLiteral("\n\n它旁边有一个可以打开的自动保存文件（%1）。\n是否打开自动保存的文件？")
                  .arg(QDir::toNativeSeparators(recovery));
    // Declined, the recovery file stays as it is: it may be the only sound
    // copy of the list, and it is offered again on the next open.
    if (platform::ask(question) != platform::Answer::Yes)
        return false;
    adoptRecoveryFile(recovery);
    UpdateAllViews(nullptr);
    return true;
}

void CRODOSetUpDoc::adoptRecoveryFile(const QString& file)
{
    // The file stays where it is, to be offered again should the program
    // end before what it held is saved; the document's own auto-saves go
    // into it meanwhile.
    m_strAutoSavePath = file;
    m_holdsRecovered = true;
    SetModifiedFlag(true);
}

void CRODOSetUpDoc::setRecoveryFileAside(const QString& path)
{
    // Kept under another name until the file itself is saved.
    QFile::rename(docfiles::recoveryPath(path),
                  docfiles::usedRecoveryPath(path, platform::host().now()));
}

bool CRODOSetUpDoc::OnSaveDocument(const QString& path)
{
    if (!SheetDocument::OnSaveDocument(path))
        return false;
    m_holdsRecovered = false;
    removeAutoSaveFile(path);
    // The recovery files offered before (and renamed so as not to be offered
    // again) are superseded by what the user has saved now.
    for (const QString& used : docfiles::usedRecoveryFiles(path))
        QFile::remove(used);
    return true;
}

void CRODOSetUpDoc::OnCloseDocument()
{
    // Closed in order, the document was saved or its edits were given up:
    // its auto-save file can no longer be of use. Only a program that ended
    // without closing leaves one, to be offered on the next start or open;
    // so does a document that holds what such a file held, unsaved (the
    // user declined to save changes, not to keep that file).
    if (!m_holdsRecovered)
        removeAutoSaveFile(QString());
    SheetDocument::OnCloseDocument();
}

void CRODOSetUpDoc::removeAutoSaveFile(const QString& keep)
{
    if (m_strAutoSavePath.isEmpty()
        || (!keep.isEmpty() && QFileInfo(m_strAutoSavePath) == QFileInfo(keep)))
        return;
    if (FileExists(m_strAutoSavePath))
        QFile::remove(m_strAutoSavePath);
    m_strAutoSavePath.clear();
}

bool CRODOSetUpDoc::DoFileSave()
{
    const QString path = GetPathName();
    if (!path.isEmpty() && profileInt("autoBak", 1) != 0 && m_pSetupTable->isModified()
        && FileExists(path)) {
        // A failed backup does not stop the save.
        QByteArray bytes;
        if (platform::readFile(path, &bytes))
            platform::saveFile(docfiles::backupPath(path), bytes);
    }
    return SheetDocument::DoFileSave();
}

bool CRODOSetUpDoc::writeCopy(const QString& path)
{
    QString error;
    try {
        platform::Archive ar;
        m_pSetupTable->Serialize(ar);
        if (platform::saveFile(path, ar.data(), &error))
            return true;
    } catch (const platform::TextEncodingError& e) {
        error = e.message();
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
    }
    platform::showMessage(QStringLiteral("自动保存到“%1”失败：\n%2")
                              .arg(QDir::toNativeSeparators(path), error),
                          platform::MessageIcon::Stop);
    return false;
}

void CRODOSetUpDoc::AutoSave()
{
    if (!IsModified())
        return;
    const QString path = GetPathName();
    if (!path.isEmpty() && profileInt("autoSaveType", 0) == 0) {
        const QScopedValueRollback<bool> automatic(m_autoSaving, true);
        DoFileSave();
        return;
    }
    QString target;
    if (!path.isEmpty()) {
        target = docfiles::recoveryPath(path);
    } else {
        if (!EnsureFolder(docfiles::autoSaveFolder()))
            return;
        // One file for the life of the document.
        if (m_strAutoSavePath.isEmpty())
            m_strAutoSavePath = docfiles::untitledAutoSavePath(platform::host().now());
        target = m_strAutoSavePath;
    }
    if (!writeCopy(target))
        return;
    removeAutoSaveFile(target);
    m_strAutoSavePath = target;
}

bool CRODOSetUpDoc::recoverUntitled(const QString& file)
{
    if (!GetPathName().isEmpty() || readFrom(file) != ReadOutcome::Read)
        return false;
    adoptRecoveryFile(file);
    UpdateAllViews(nullptr);
    return true;
}

void CRODOSetUpDoc::offerLeftAutoSaves(platform::DocTemplate& setupTemplate)
{
    const QStringList files = docfiles::untitledAutoSaves();
    if (files.isEmpty())
        return;
    const QString question =
        QStringLiteral("上次退出时有%1个未保存的新建配料单，留有自动保存的文件：\n%2\n\n"
                       "是否恢复？选“否”将删除这些文件。")
            .arg(files.size())
            .arg(QDir::toNativeSeparators(files.join(u'\n')));
    if (platform::ask(question) != platform::Answer::Yes) {
        for (const QString& file : files)
            QFile::remove(file);
        return;
    }
    QStringList unread;
    for (const QString& file : files) {
        auto* doc = dynamic_cast<CRODOSetUpDoc*>(setupTemplate.OpenDocumentFile(QString()));
        if (doc && doc->recoverUntitled(file))
            continue;
        if (doc)
            doc->OnCloseDocument();
        unread << QDir::toNativeSeparators(file);
    }
    // The user asked for them back: what cannot be read now (damaged, or of
    // a newer program) is kept, and offered again at the next start.
    if (!unread.isEmpty())
        platform::showMessage(QStringLiteral("以下自动保存的文件已损坏或由更新版本的程序保存，不能恢复，"
                                             "已保留在原处：\n%1")
                                  .arg(unread.join(u'\n')),
                              platform::MessageIcon::Stop);
}

// derived sheets

QByteArray CRODOSetUpDoc::derivedSettings() const
{
    return m_pSetupTable->derivedSettings();
}

CRODOSetUpDoc::Builder CRODOSetUpDoc::builderOf(const CVes_TableBase* sheet) const
{
    if (sheet == m_pSummaryTable.get())
        return [to = m_pSummaryTable.get()](CVes_SetupTable& list) { list.SummarySTeel(to, 0); };
    if (sheet == m_pSummaryJTTable.get())
        return [to = m_pSummaryJTTable.get()](CVes_SetupTable& list) { list.SummaryJT(to); };
    if (sheet == m_pJinHuoTable.get())
        return [to = m_pJinHuoTable.get()](CVes_SetupTable& list) { list.JinHuo(to); };
    if (sheet == m_pLiaoPaiTable.get())
        return [to = m_pLiaoPaiTable.get()](CVes_SetupTable& list) { list.toLiaoPaiTable(to); };
    if (sheet == m_pContentsTable.get())
        return [to = m_pContentsTable.get()](CVes_SetupTable& list) { list.TableContens(to); };
    return {};
}

void CRODOSetUpDoc::buildNow(CVes_TableBase* sheet)
{
    buildFrom(sheet, *m_pSetupTable, builderOf(sheet));
}

void CRODOSetUpDoc::BuildSummary()
{
    buildNow(m_pSummaryTable.get());
}

void CRODOSetUpDoc::BuildSummaryJT()
{
    buildNow(m_pSummaryJTTable.get());
}

void CRODOSetUpDoc::BuildSortSheet()
{
    finishBuilds(m_pSortTable.get());
    m_pSetupTable->SortSteel(m_pSortTable.get(), 0);
}

void CRODOSetUpDoc::BuildJinHuo()
{
    buildNow(m_pJinHuoTable.get());
}

void CRODOSetUpDoc::BuildLiaoPai()
{
    buildNow(m_pLiaoPaiTable.get());
}

void CRODOSetUpDoc::BuildDuanLiao()
{
    // Cutting reads the raw-stock file.
    reportDamagedSharedFiles();
    m_pSetupTable->toDuanLiaoTable(m_pDuanLiaoTable.get());
}

void CRODOSetUpDoc::CutAgain()
{
    m_pSetupTable->cutAgain(m_pDuanLiaoTable.get());
}

void CRODOSetUpDoc::BuildContents()
{
    buildNow(m_pContentsTable.get());
}

void CRODOSetUpDoc::selectAllForSummary(const CVes_TableBase* sheet)
{
    // As the builder does: a summary of a list with rows is of every
    // element.
    if (sheet == m_pSummaryTable.get() && !m_pSetupTable->lines().isEmpty())
        m_pSetupTable->getHuizongRules().m_mode = 0;
}

void CRODOSetUpDoc::BuildOnChoice(CVes_TableBase* sheet, QWidget* busyParent)
{
    const Builder builder = builderOf(sheet);
    if (!builder)
        return;
    selectAllForSummary(sheet);
    buildOnChoice(
        sheet,
        [this, sheet, builder] {
            SheetBuild::Job job = copyingJob<CVes_SetupTable>(
                *m_pSetupTable, builder, [this](CVes_SetupTable& copy) { adoptPurchaseTexts(copy); });
            // The selection the copy takes with the last part.
            job.take = [this, sheet, take = job.take](std::chrono::milliseconds budget) {
                selectAllForSummary(sheet);
                return take(budget);
            };
            return job;
        },
        busyParent, failureText(sheet));
}

void CRODOSetUpDoc::adoptPurchaseTexts(const CVes_SetupTable& copy)
{
    // The purchase summary fills the delivery-note texts left empty with
    // their defaults (the number from the time, the project and part); as a
    // build on the list itself, the list keeps them.
    const auto& own = m_pSetupTable->getJinHuoTexts();
    const auto& filled = copy.getJinHuoTexts();
    for (int i = 0; i < CVes_SetupTable::kPurchaseTextCount; ++i)
        if (own[std::size_t(i)].isEmpty() && !filled[std::size_t(i)].isEmpty())
            m_pSetupTable->setJinHuoText(i, filled[std::size_t(i)]);
}

QString CRODOSetUpDoc::failureText(const CVes_TableBase* sheet) const
{
    const QString name = sheet == m_pSummaryTable.get()     ? QStringLiteral("用量汇总表")
                         : sheet == m_pSummaryJTTable.get() ? QStringLiteral("接头汇总表")
                         : sheet == m_pJinHuoTable.get()    ? QStringLiteral("原材进货表")
                         : sheet == m_pLiaoPaiTable.get()   ? QStringLiteral("钢筋料牌")
                                                            : QStringLiteral("目录");
    return name + QStringLiteral("未能生成。");
}

void CRODOSetUpDoc::StartSortBuild(QWidget* busyParent)
{
    requestSortBuild(
        [this] {
            CVes_SortBarSheet* sheet = m_pSortTable.get();
            SheetBuild::Job job = copyingJob<CVes_SetupTable>(
                *m_pSetupTable, [sheet](CVes_SetupTable& copy) { copy.SortSteel(sheet, 0); });
            job.take = [this, take = job.take](std::chrono::milliseconds budget) {
                // As the builder on this thread: the summary selection
                // becomes "all" (the copy takes it with the last part).
                m_pSetupTable->getHuizongRules().m_mode = 0;
                return take(budget);
            };
            return job;
        },
        busyParent);
}

// delivery note

void CRODOSetUpDoc::EditDeliveryNote(QWidget* parent)
{
    // The texts in the order the purchase sheet keeps them.
    CDeliveryNoteDlg dlg(parent);
    QString* fields[] = {&dlg.m_strTitle,   &dlg.m_strNumber,       &dlg.m_strCustomer,
                         &dlg.m_strProject, &dlg.m_strDeliveryTime, &dlg.m_strPreparer,
                         &dlg.m_strChecker, &dlg.m_strCompiledOn};
    const auto& texts = m_pSetupTable->getJinHuoTexts();
    for (int i = 0; i < CVes_SetupTable::kPurchaseTextCount; ++i)
        *fields[i] = texts[std::size_t(i)];
    if (dlg.exec() == QDialog::Accepted) {
        for (int i = 0; i < CVes_SetupTable::kPurchaseTextCount; ++i)
            m_pSetupTable->setJinHuoText(i, *fields[i]);
        BuildJinHuo();
        SetModifiedFlag(true);
    }
    UpdateAllViews(nullptr);
}

// batch commands

int CRODOSetUpDoc::scaledBarValue()
{
    return m_pSetupTable->isSameMultVarOfSelLine() ? 0 : 1;
}

void CRODOSetUpDoc::OnEndCommand(int nID, Qt::KeyboardModifiers modifiers)
{
    // A click sets up to three things at each end, each a step of its own
    // to the table: undo takes the click back as one.
    m_pSetupTable->asOneUndoStep([&] { applyEndCommand(*m_pSetupTable, nID, endsOf(modifiers)); });
    // Closing must offer to save these edits as well.
    afterBatchEdit();
}

SheetContainerView* CRODOSetUpDoc::container() const
{
    return views().empty() ? nullptr : dynamic_cast<SheetContainerView*>(views().front());
}

bool CRODOSetUpDoc::showsBarList() const
{
    const SheetContainerView* shown = container();
    return !shown || shown->GetCurSel() == CRODO_SetUpMainView::kBarList;
}

void CRODOSetUpDoc::OnCutLengthMode()
{
    // The bars to switch are those selected in the bar list; a sheet made
    // from it shows none.
    if (!showsBarList())
        return;
    CVes_SetupTable& t = *m_pSetupTable;
    if (t.isSameAutoCalOfLine() != 1) {
        t.setSelLineAutoCal(1);
        afterBatchEdit();
        return;
    }
    const std::size_t before = t.undoStepsRecorded();
    t.setSelLineAutoCal(0);
    if (t.undoStepsRecorded() == before)
        return; // every selected bar is locked
    t.setCurCol(CVes_SetupTable::kColCutLength);
    afterBatchEdit();
    SheetContainerView* shown = container();
    if (auto* view = shown ? dynamic_cast<CVes_SetupView2*>(shown->sheetView(CRODO_SetUpMainView::kBarList))
                           : nullptr)
        view->editSwitchedLength();
}

void CRODOSetUpDoc::addCommands()
{
    platform::CommandMap& map = commandMap();
    // 32998 is none of them (it is the main window's library update).
    map.addRange(ID_MORE_GRADES_FIRST, ID_MORE_GRADES_LAST, [this](int id) {
        const int grade = kMoreGrades[id - ID_MORE_GRADES_FIRST];
        batch([grade](CVes_TableBase& t) {
            if (grade)
                t.setSelLineGrade(grade);
        });
    });
    const auto endCommand = [this](int id) {
        OnEndCommand(id, QGuiApplication::queryKeyboardModifiers());
    };
    map.addRange(ID_HOOK_NONE, ID_HOOK_FLIP, endCommand);
    map.addRange(ID_CONNECT_FIRST, ID_CONNECT_REVERSE, endCommand);
    map.addRange(ID_START_FIRST, ID_START_LAST, [this](int id) {
        const CSteelRecordId start = id < ID_START_FIRST + 6 ? CSteelRecordId(101, id - ID_START_FIRST + 1)
                                                            : CSteelRecordId(102, id - ID_START_FIRST - 5);
        batch([start](CVes_TableBase& t) { t.setSelLineSteelStart(start); });
    });
    map.add(ID_START_MORE, [this] {
        CVes_ModelStart start;
        if (getSteelStart(&start) == 1) {
            const CSteelRecordId id = start.getID();
            batch([id](CVes_TableBase& t) { t.setSelLineSteelStart(id); });
        }
    });
    const auto mirror = [this](bool horizontal) {
        CVes_SetupTable& t = *m_pSetupTable;
        if (horizontal)
            t.setSelLineModelMirrorHor();
        else
            t.setSelLineModelMirrorVer();
        t.setModified(1);
        t.setCurCol(CVes_SetupTable::kColShape);
        SetModifiedFlag(true);
        UpdateAllViews(nullptr);
    };
    map.add(ID_MIRROR_HOR, [mirror] { mirror(true); });
    map.add(ID_MIRROR_VER, [mirror] { mirror(false); });
    map.add(ID_CUTLENGTH_MODE, [this] { OnCutLengthMode(); },
            [this](platform::CommandState& s) { s.Enable(showsBarList()); });
}
