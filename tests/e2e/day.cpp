#include "tests/e2e/day.h"

#include "app/documents/documentids.h"
#include "app/panes/resourceids.h"
#include "app/projects/inputnamedlg.h"
#include "app/projects/newprojectdlg.h"
#include "app/projects/projectpanewnd.h"
#include "envora/ui/steeldncombox.h"
#include "envora/ui/steelgradecombox.h"
#include "platform/profile.h"
#include "platform/recordingdc.h"
#include "tables/framework/ui/editrecorddlg.h"
#include "tables/framework/ui/inplaceedit.h"
#include "tables/quantity/ui/cutoptimizesizedlg.h"
#include "tests/support/modal.h"
#include "widgara/commandbar.h"
#include "widgara/commandbars.h"
#include "widgara/exceltabctrl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QStyleOptionSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace e2e {

namespace {

QString withoutKeys(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)"))).remove(u'&');
    const qsizetype tab = text.indexOf(u'\t');
    return (tab < 0 ? text : text.left(tab)).trimmed();
}

QAction* actionIn(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* action : actions)
        if (withoutKeys(action->text()) == text)
            return action;
    return nullptr;
}

} // namespace

void shot(QWidget* window, const char* name)
{
    const QString folder = qEnvironmentVariable("RODO_SCREENSHOT_DIR");
    if (folder.isEmpty() || !window)
        return;
    QTest::qWait(100);
    window->grab().save(QDir(folder).filePath(QString::fromUtf8(name) + QStringLiteral(".png")));
}

void typeText(QWidget* widget, const QString& text)
{
    // Key by key, as a keyboard (or an input method, for Chinese) types.
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

bool clickButton(QWidget* dialog, const QString& text)
{
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (withoutKeys(button->text()) == text && button->isVisible() && button->isEnabled()) {
            QTest::mouseClick(button, Qt::LeftButton);
            return true;
        }
    return false;
}

void retype(QWidget* field, const QString& text)
{
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    typeText(field, text);
}

void retypeNumber(QSpinBox* box, int value)
{
    // The number field of the box, not its arrows.
    auto* field = box->findChild<QLineEdit*>();
    ASSERT_TRUE(field);
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    typeText(box, QString::number(value));
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(box->value(), value);
}

void clickToState(QAbstractButton* button, bool checked)
{
    // The indicator at the button's left end.
    for (int i = 0; i < 2 && button->isChecked() != checked; ++i)
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    EXPECT_EQ(button->isChecked(), checked) << withoutKeys(button->text()).toStdString();
}

bool scrollIntoView(QAbstractScrollArea* area, const std::function<QRect()>& place)
{
    QScrollBar* bar = area->verticalScrollBar();
    for (int click = 0; click < 500; ++click) {
        // Whole from top to bottom: a row wider than the view still shows.
        const QRect client = area->viewport()->rect();
        const QRect shown = place();
        if (!shown.isEmpty() && shown.top() >= client.top() && shown.bottom() <= client.bottom())
            return true;
        if (!bar->isVisible())
            return false;
        // A page at a time while the place is far off, then a line.
        const bool up = shown.top() < client.top();
        const int distance = up ? client.top() - shown.top() : shown.bottom() - client.bottom();
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        option.subControls = QStyle::SC_All;
        const QStyle::SubControl part = distance > client.height() / 2
                                            ? (up ? QStyle::SC_ScrollBarSubPage : QStyle::SC_ScrollBarAddPage)
                                            : (up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
        const QRect target = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
        const int before = bar->value();
        if (target.isEmpty())
            return false;
        QTest::mouseClick(bar, Qt::LeftButton, {}, target.center());
        QApplication::processEvents();
        if (bar->value() == before)
            return false;
    }
    return false;
}

void chooseFile(QFileDialog* dialog, const QString& path)
{
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(name) << "the file dialog has no name field";
    // The keys go to the dialog in front, as on a desktop.
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    // The path is pasted whole, as the user copied it: typed key by key,
    // each folder on the way would be picked along with the file.
    QGuiApplication::clipboard()->setText(path);
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    // The names that begin so are offered in a list: Escape closes it.
    if (QWidget* completions = QApplication::activePopupWidget())
        QTest::keyClick(completions, Qt::Key_Escape);
    EXPECT_EQ(dialog->selectedFiles(), QStringList{path});
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_TRUE(buttons);
    QPushButton* accept = buttons->button(QDialogButtonBox::Open);
    if (!accept)
        accept = buttons->button(QDialogButtonBox::Save);
    ASSERT_TRUE(accept && accept->isEnabled()) << "the file dialog takes no " << path.toStdString();
    QTest::mouseClick(accept, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible()) << "the file dialog did not take " << path.toStdString() << " typed as "
                                      << name->text().toStdString() << (QApplication::activePopupWidget() ? " (a pop-up open)" : "");
}

void chooseCuttingSize(CCutOptimizeSpecDlg* dialog, const QString& grade, const QString& diameter)
{
    // The grade box has the focus when the dialog opens; Tab goes on to
    // the diameter.
    QWidget* gradeBox = dialog->focusWidget();
    ASSERT_EQ(gradeBox, dialog->gradeBox());
    typeText(gradeBox, grade);
    QTest::keyClick(gradeBox, Qt::Key_Tab);
    QWidget* diameterBox = dialog->focusWidget();
    ASSERT_EQ(diameterBox, dialog->diameterBox());
    typeText(diameterBox, diameter);
    EXPECT_EQ(dialog->gradeBox()->currentText(), grade);
    EXPECT_EQ(dialog->diameterBox()->currentText(), diameter);
    ASSERT_TRUE(clickButton(dialog, QStringLiteral("确定")));
}

void printToFile(QPrintDialog* dialog, const QString& pdf)
{
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    ASSERT_TRUE(printers);
    const int file = printers->findText(QStringLiteral("PDF"), Qt::MatchContains);
    ASSERT_GE(file, 0) << "the print dialog offers no PDF file";
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        EXPECT_EQ(printers->currentIndex(), file) << "without printers the PDF file is not chosen";
    } else {
        // The keys step through the printers to the file.
        for (int i = 0; i < printers->count() && printers->currentIndex() != file; ++i)
            QTest::keyClick(printers, printers->currentIndex() < file ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(printers->currentIndex(), file);
    }
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_TRUE(name && name->isEnabled());
    retype(name, pdf);
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_TRUE(buttons && buttons->button(QDialogButtonBox::Ok));
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

const std::vector<TypedElement>& dayElements()
{
    static const std::vector<TypedElement> elements{
        {"KZ1", "2",
         {{"190-004", {"3600"}, "C25", "", "8"},
          {"195-001", {"6000", "3000"}, "C25", "", "4"},
          {"192-001", {"550", "550"}, "A8", "100/200", "30"},
          {"193-001", {"550"}, "A8", "200", "15"},
          {"190-001", {"3000"}, "C20", "", "6"},
          {"192-004", {"500", "300"}, "A10", "150", "10"},
          {"190-002", {"2500"}, "A12", "", "4"}}},
        {"KL1", "1",
         {{"191-002", {"300", "6000", "300"}, "C22", "", "4"},
          {"191-001", {"500", "4000"}, "C20", "", "2"},
          {"191-005", {"500", "400", "45", "2000", "500"}, "C20", "", "2"},
          {"192-001", {"600", "250"}, "A8", "100/200", "40"},
          {"191-007", {"500", "45", "350"}, "C18", "", "4"},
          {"190-001", {"6000"}, "C14", "", "4"},
          {"193-001", {"250"}, "A6", "400", "20"}}},
        {"LB1", "3",
         {{"191-003", {"150", "2000", "150"}, "C10", "150", "20"},
          {"190-002", {"3600"}, "A10", "200", "18"},
          {"194-001", {"200", "150", "1000"}, "A10", "", "9"},
          {"191-004", {"500", "300", "1000"}, "C12", "", "6"},
          {"190-001", {"3600"}, "C10", "200", "12", "分布筋"},
          {"190-001", {"2000"}, "C12", "200", "5|2", "变长筋", "2000~3000"}}},
    };
    return elements;
}

void Day::SetUp()
{
    // Exported workbooks and printed reports go into the test's own folder.
    m_oldTemp = qgetenv("TMPDIR");
    QDir(dir.path()).mkpath(QStringLiteral("tmp"));
    qputenv("TMPDIR", QDir(dir.path()).filePath(QStringLiteral("tmp")).toUtf8());
    AppFixture::SetUp();
    platform::setProfileValue(QStringLiteral("setting"), QStringLiteral("projectPath"), dir.path());
    ASSERT_TRUE(app->InitInstance({}));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame()));
}

void Day::TearDown()
{
    if (app && QApplication::activeModalWidget())
        test::closeLeftOpen(QApplication::activeModalWidget(), "a dialog was left open");
    if (app)
        app->docManager().CloseAllDocuments();
    AppFixture::TearDown();
    if (m_oldTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", m_oldTemp);
}

// menus, toolbars, dialogs

QAction* Day::menuItem(const QStringList& path) const
{
    // The menus are opened by the mouse, so that they bring their items up
    // to date, and closed again with Escape.
    QMenu* menu = path.size() > 1 ? openMenus(path.mid(0, path.size() - 1)) : nullptr;
    QAction* item = menu ? actionIn(menu->actions(), path.back()) : nullptr;
    closeMenus();
    return item;
}

QMenu* Day::openMenus(const QStringList& menus) const
{
    // As the mouse does: the menu's title on the menu bar is clicked, then
    // each sub-menu's item.
    QMenuBar* bar = frame()->GetCommandBars()->GetMenuBar();
    QAction* title = menus.isEmpty() ? nullptr : actionIn(bar->actions(), menus.front());
    if (!title || !title->menu() || !title->isEnabled())
        return nullptr;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
    QMenu* menu = title->menu();
    const auto opened = [](QMenu* shown) {
        return shown && QTest::qWaitFor([shown] { return shown->isVisible(); }, 1000);
    };
    for (int i = 1; i < menus.size(); ++i) {
        if (!opened(menu))
            return nullptr;
        QAction* sub = actionIn(menu->actions(), menus[i]);
        if (!sub || !sub->menu() || !sub->isEnabled())
            return nullptr;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(sub).center());
        menu = sub->menu();
    }
    return opened(menu) ? menu : nullptr;
}

void Day::closeMenus()
{
    // Escape closes the innermost menu open, as often as menus are open.
    for (int i = 0; i < 10; ++i) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            break;
        QTest::keyClick(popup, Qt::Key_Escape);
    }
    while (QWidget* popup = QApplication::activePopupWidget()) {
        ADD_FAILURE() << "Escape leaves a menu open";
        popup->close();
    }
    QApplication::processEvents();
}

bool Day::chooseMenu(const QStringList& path)
{
    const QString item = path.value(path.size() - 1);
    return path.size() > 1
           && chooseMenuItem(path.mid(0, path.size() - 1),
                             [item](QAction* action) { return withoutKeys(action->text()) == item; });
}

bool Day::chooseMenuItem(const QStringList& menus, const std::function<bool(QAction*)>& isItem)
{
    // The menus are opened, then the item itself is clicked.
    QMenu* menu = openMenus(menus);
    bool chosen = false;
    if (menu) {
        const QList<QAction*> actions = menu->actions();
        const auto found = std::find_if(actions.begin(), actions.end(), [&](QAction* action) {
            return action->isVisible() && !action->menu() && isItem(action);
        });
        if (found != actions.end() && (*found)->isEnabled()) {
            chosen = true;
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(*found).center());
        }
    }
    // A menu left open (its item missing or greyed) is closed.
    closeMenus();
    return chosen;
}

bool Day::clickToolbar(CXTPCommandBars* bars, int id)
{
    bars->UpdateCommandBars();
    for (int i = 0; i < bars->GetCount(); ++i) {
        CXTPControl* control = bars->GetAt(i)->FindControl(id);
        if (!control)
            continue;
        if (!control->GetEnabled() || !control->widget())
            return false;
        QTest::mouseClick(control->widget(), Qt::LeftButton);
        return true;
    }
    return false;
}

bool Day::chooseFromMenu(const std::function<void()>& open, const QString& item)
{
    struct Answer {
        bool found = false;
        bool over = false;
        std::function<void(int)> next;
    };
    const auto state = std::make_shared<Answer>();
    // The menu runs its own loop: it is answered from a timer, and closed
    // whatever it offers, so that a missing item never leaves it open.
    state->next = [weak = std::weak_ptr<Answer>(state), item](int tries) {
        const std::shared_ptr<Answer> answer = weak.lock();
        if (!answer || answer->over)
            return;
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (tries > 0)
                QTimer::singleShot(10, [answer, tries] { answer->next(tries - 1); });
            return;
        }
        answer->over = true;
        // As the keyboard does: each sub-menu opened with the Right key,
        // the item chosen with Enter.
        QMenu* current = menu;
        const QStringList steps = item.split(QStringLiteral(" > "));
        for (int i = 0; i < steps.size() && current; ++i) {
            QAction* action = actionIn(current->actions(), steps[i]);
            if (!action || !action->isEnabled())
                break;
            // Down steps through the items to it.
            for (qsizetype key = 0; key <= current->actions().size() && current->activeAction() != action; ++key)
                QTest::keyClick(current, Qt::Key_Down);
            if (current->activeAction() != action)
                break;
            if (i + 1 == steps.size()) {
                if (!action->menu()) {
                    answer->found = true;
                    QTest::keyClick(current, Qt::Key_Return);
                }
                break;
            }
            QTest::keyClick(current, Qt::Key_Right);
            current = action->menu() && action->menu()->isVisible() ? action->menu() : nullptr;
        }
        if (menu->isVisible())
            menu->close();
    };
    QTimer::singleShot(10, [state] { state->next(200); });
    open();
    QApplication::processEvents();
    state->over = true;
    return state->found;
}

bool Day::chooseFromContextMenu(QWidget* widget, QPoint at, const QString& item)
{
    // Through the window, as the window system delivers a click: the
    // right button's press asks the widget for its context menu.
    return chooseFromMenu([widget, at] {
        QWidget* window = widget->window();
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, widget->mapTo(window, at));
    }, item);
}

bool Day::chooseFromSheetMenu(int row, int column, const QString& item)
{
    CVes_TableViewBase* view = activeSheet();
    if (!view || !view->getTable())
        return false;
    view->viewport()->grab();
    const platform::Rect box = view->LPtoDP(view->getTable()->getRect(row, column));
    const QPoint at(box.left + 3, box.top + 3);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    return chooseFromMenu([view, at] { QTest::mouseClick(view->viewport(), Qt::RightButton, {}, at); }, item);
}

// the project

QString Day::newProject(const char* name)
{
    QString folder;
    test::onNextModal<CNewProjectDlg>([name, &folder](CNewProjectDlg* dialog) {
        // One building of one storey above ground, without a foundation.
        clickToState(dialog->m_foundationBox, false);
        retypeNumber(dialog->m_belowBox, 0);
        retypeNumber(dialog->m_aboveBox, 1);
        retype(dialog->m_nameEdit, QString::fromUtf8(name));
        retype(dialog->m_companyEdit, QStringLiteral("第一建筑公司"));
        retype(dialog->m_compilerEdit, QStringLiteral("王工"));
        shot(dialog, "new-project");
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        folder = dialog->m_strFolder;
    });
    EXPECT_TRUE(chooseMenu({QStringLiteral("工程"), QStringLiteral("新建工程...")}));
    return folder;
}

CProjectTreeCtrl* Day::projectTree() const
{
    auto* pane = dynamic_cast<CProjectPaneWnd*>(frame()->projectPaneWindow());
    return pane ? &pane->tree() : nullptr;
}

QTreeWidgetItem* Day::treeItem(const QStringList& path) const
{
    CProjectTreeCtrl* tree = projectTree();
    if (!tree)
        return nullptr;
    QTreeWidgetItem* item = tree->invisibleRootItem();
    for (const QString& name : path) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (item->child(i)->text(0) == name)
                next = item->child(i);
        if (!next)
            return nullptr;
        item = next;
    }
    return item;
}

bool Day::showInTree(QTreeWidget* tree, QTreeWidgetItem* item)
{
    // The folders above it are opened by their arrows, from the top down.
    QList<QTreeWidgetItem*> above;
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
        above.prepend(parent);
    for (QTreeWidgetItem* folder : std::as_const(above)) {
        if (folder->isExpanded())
            continue;
        if (!scrollIntoView(tree, [tree, folder] { return tree->visualItemRect(folder); }))
            return false;
        const QRect box = tree->visualItemRect(folder);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          QPoint(box.left() - tree->indentation() / 2, box.center().y()));
        if (!folder->isExpanded())
            return false;
    }
    return scrollIntoView(tree, [tree, item] { return tree->visualItemRect(item); });
}

platform::Document* Day::newSheetIn(const QStringList& path, const QString& item, const char* name)
{
    CProjectTreeCtrl* tree = projectTree();
    QTreeWidgetItem* folder = treeItem(path);
    if (!tree || !folder) {
        ADD_FAILURE() << "no tree item " << path.join(u'/').toStdString();
        return nullptr;
    }
    if (!showInTree(tree, folder)) {
        ADD_FAILURE() << "the tree does not show " << path.join(u'/').toStdString();
        return nullptr;
    }
    // On the folder's name, however wide its row.
    const QRect row = tree->visualItemRect(folder);
    const QPoint at(std::min(row.center().x(), row.left() + 12), row.center().y());
    test::onNextModal<CInputNameDlg>([name](CInputNameDlg* dialog) {
        typeText(dialog->m_edit, QString::fromUtf8(name));
        QTest::keyClick(dialog->m_edit, Qt::Key_Return);
    });
    EXPECT_TRUE(chooseFromContextMenu(tree->viewport(), at, item));
    return activeDocument();
}

CRODOSetUpDoc* Day::newBarListIn(const QStringList& path, const char* name)
{
    return dynamic_cast<CRODOSetUpDoc*>(newSheetIn(path, QStringLiteral("新建钢筋配料单"), name));
}

QStringList Day::storeyPath()
{
    return {QStringLiteral("项目"), QStringLiteral("滨江花园"), QStringLiteral("第1层"), QStringLiteral("柱")};
}

void Day::startTheDay()
{
    projectFolder = newProject("滨江花园");
    ASSERT_FALSE(projectFolder.isEmpty());
    doc = newBarListIn(storeyPath(), "一层柱梁板");
    ASSERT_TRUE(doc);
    setZoom(QStringLiteral("100%"));
    typeTheDay();
    ASSERT_FALSE(HasFailure()) << "the day could not be typed";
}

// the bar list

CRODO_SetUpMainView* Day::container() const
{
    return doc && !doc->views().empty() ? dynamic_cast<CRODO_SetUpMainView*>(doc->views().front())
                                        : nullptr;
}

CVes_TableViewBase* Day::activeSheet() const
{
    return frame()->getActiveTableView();
}

CVes_SetupTable* Day::barList() const
{
    return doc ? doc->setupTable() : nullptr;
}

void Day::clickCell(int row, int column)
{
    CVes_TableViewBase* view = activeSheet();
    ASSERT_TRUE(view);
    view->viewport()->grab();
    // The left end of the cell, scrolled into view as the user would.
    const auto cellStart = [view, row, column] {
        view->viewport()->grab();
        const platform::Rect box = view->LPtoDP(view->getTable()->getRect(row, column));
        return QRect(QPoint(box.left + 3, box.top + 3), QPoint(box.left + 3, box.bottom - 3));
    };
    ASSERT_TRUE(scrollIntoView(view, cellStart)) << "row " << row << " does not show";
    platform::Rect box = view->LPtoDP(view->getTable()->getRect(row, column));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(box.left + 3, box.top + 3));
    QApplication::processEvents();
}

CVes_InPlaceEdit* Day::openEditor() const
{
    CVes_TableViewBase* view = activeSheet();
    return view ? view->viewport()->findChild<CVes_InPlaceEdit*>() : nullptr;
}

void Day::typeEntry(const QString& text)
{
    CVes_TableViewBase* view = activeSheet();
    ASSERT_TRUE(view);
    ASSERT_FALSE(text.isEmpty());
    if (text.front().unicode() > 126) {
        // Chinese comes from an input method, which the sheet does not take
        // as a first key: Enter opens the cell's editor (the recent-values
        // window, by default) and the text goes there.
        QTest::keyClick(view, Qt::Key_Return);
        QApplication::processEvents();
        CVes_EditRecordDlg* record = nullptr;
        for (CVes_EditRecordDlg* dialog : view->findChildren<CVes_EditRecordDlg*>())
            if (dialog->isVisible())
                record = dialog;
        if (record) {
            QTest::keyClick(record->edit(), Qt::Key_A, Qt::ControlModifier);
            typeText(record->edit(), text);
            QTest::keyClick(record->edit(), Qt::Key_Return);
        } else {
            CVes_InPlaceEdit* editor = openEditor();
            ASSERT_TRUE(editor) << "Enter opens no editor for " << text.toStdString();
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            typeText(editor, text);
            QTest::keyClick(editor, Qt::Key_Return);
        }
    } else {
        typeText(view, text.left(1));
        QApplication::processEvents();
        CVes_InPlaceEdit* editor = openEditor();
        ASSERT_TRUE(editor) << "typing opens no editor for " << text.toStdString();
        typeText(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

void Day::setZoom(const QString& percent)
{
    for (int i = 0; i < frame()->GetCommandBars()->GetCount(); ++i)
        if (CXTPControl* control = frame()->GetCommandBars()->GetAt(i)->FindControl(ID_ZOOM_COMBO))
            if (auto* combo = qobject_cast<QComboBox*>(control->widget())) {
                retype(combo->lineEdit(), percent);
                QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
                QApplication::processEvents();
                return;
            }
    ADD_FAILURE() << "no zoom box";
}

void Day::enterCell(int row, int column, const QString& text)
{
    clickCell(row, column);
    typeEntry(text);
}

void Day::typeTheDay()
{
    using T = CVes_SetupTable;
    int row = 1;
    // The next row to type on; a full page goes on to a new one, as the
    // Down key on its last row does.
    const auto nextRow = [this, &row] {
        if (row < barList()->rowsPerPage()) {
            ++row;
            return;
        }
        clickCell(row, T::kColNumber);
        QTest::keyClick(activeSheet(), Qt::Key_Down);
        QApplication::processEvents();
        row = 1;
    };
    for (const TypedElement& element : dayElements()) {
        clickCell(row, T::kColNumber);
        // A new list starts with an element row of its own.
        const auto* line = dynamic_cast<CVes_SetupTableLine*>(barList()->pageLines().value(row - 1));
        if (!line || line->getType() != CVes_SetupTableLine::kElementLine)
            QTest::keyClick(activeSheet(), Qt::Key_F6);
        enterCell(row, 2, QString::fromUtf8(element.name));
        enterCell(row, T::kColCount, QString::fromUtf8(element.count));
        nextRow();
        for (const TypedBar& bar : element.bars) {
            enterCell(row, T::kColShape, QString::fromUtf8(bar.shape));
            for (int i = 0; i < bar.dimensions.size(); ++i) {
                if (i > 0)
                    QTest::keyClick(activeSheet(), Qt::Key_Tab);
                typeEntry(bar.dimensions[i]);
            }
            if (bar.varying) {
                // The apostrophe makes the bar one of varying length; its
                // dimension then takes a range.
                QTest::keyClick(activeSheet(), Qt::Key_Apostrophe);
                clickCell(row, T::kColShape);
                QTest::keyClick(activeSheet(), Qt::Key_Tab);
                typeEntry(QString::fromUtf8(bar.varying));
            }
            enterCell(row, T::kColGrade, QString::fromUtf8(bar.size));
            if (*bar.spacing)
                enterCell(row, T::kColSpacing, QString::fromUtf8(bar.spacing));
            enterCell(row, T::kColCount, QString::fromUtf8(bar.count));
            if (*bar.remark)
                enterCell(row, T::kColRemark, QString::fromUtf8(bar.remark));
            nextRow();
        }
    }
}

void Day::chooseTab(int tab)
{
    ASSERT_TRUE(doc);
    chooseTab(doc, tab);
}

void Day::chooseTab(SheetDocument* document, int tab)
{
    auto* view = document && !document->views().empty()
                     ? dynamic_cast<SheetContainerView*>(document->views().front())
                     : nullptr;
    ASSERT_TRUE(view);
    QTabBar* tabs = view->tabCtrl()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
    document->finishBuilds();
    QApplication::processEvents();
}

platform::Document* Day::activeDocument() const
{
    return app->docManager().activeDocument();
}

QStringList Day::pageTexts(CVes_TableBase& table)
{
    // As the page prints: on screen a text too long for its cell at the
    // legible size is cut short.
    platform::RecordingDc::Device paper;
    paper.printing = true;
    platform::RecordingDc dc(paper);
    table.Draw(&dc, platform::Rect(0, 0, 1200, 850));
    return dc.texts();
}

} // namespace e2e
