#pragma once
// A main window over its own document manager, with the start page's
// template and a sheet template whose view shows a bar-list table, for the
// tests of the main window's commands.

#include "app/panes/resourceids.h"
#include "app/shell/childframe.h"
#include "app/shell/mainframe.h"
#include "app/shell/rodostartdoc.h"
#include "app/shell/rodostartview.h"
#include "platform/profile.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/doctemplate.h"
#include "platform/ui/view.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/ui/tableview.h"
#include "tests/support/recordinghost.h"

#include <QCoreApplication>
#include <QSettings>
#include <memory>

namespace test {

class SheetDoc : public platform::Document {
public:
    CVes_SetupTable table;
};

// A sheet view of a chosen view type whose selected rows weigh `weight`.
class SheetView : public CVes_TableViewBase, public platform::View {
public:
    SheetView(int viewType, QWidget* parent)
        : CVes_TableViewBase(parent), platform::View(this), m_viewType(viewType)
    {
    }
    void OnInitialUpdate() override
    {
        if (auto* doc = dynamic_cast<SheetDoc*>(GetDocument()))
            setTable(&doc->table);
    }
    int getViewType() override { return m_viewType; }
    double getsellineWeight() override { return weight; }

    double weight = 0.0;

private:
    int m_viewType;
};

inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class FrameFixture {
public:
    explicit FrameFixture(bool clearProfile = true)
    {
        if (clearProfile)
            platform::openProfile()->clear();
        manager = std::make_unique<platform::DocManager>();
        startTemplate = manager->AddDocTemplate(std::make_unique<platform::DocTemplate>(
            IDR_MAINFRAME, QStringLiteral("Rodo表\n开始"),
            [] { return std::make_unique<CRODOStartDoc>(); }, [] { return new CChildFrame; },
            [](QWidget* parent) { return new CRODOStartView(parent); }));
        sheetTemplate = manager->AddDocTemplate(std::make_unique<platform::DocTemplate>(
            IDR_SETUPTYPE, QStringLiteral("\n翻样任务\n翻样任务\n钢筋配料单 (*.pld)\n.pld\nrodo.Document\n配料单文件"),
            [] { return std::make_unique<SheetDoc>(); }, [] { return new CChildFrame; },
            [this](QWidget* parent) { return new SheetView(viewType, parent); }));
        frame = std::make_unique<CMainFrame>(manager.get(), nullptr);
        frame->resize(1200, 800);
        loaded = frame->LoadFrame();
        frame->show();
    }
    ~FrameFixture()
    {
        frame.reset();
        manager.reset();
        flushDeletes();
    }

    platform::Document* openStartPage()
    {
        platform::Document* start = startTemplate->OpenDocumentFile(QString());
        if (start)
            start->SetTitle(QStringLiteral("开始"));
        return start;
    }
    SheetDoc* openSheet() { return static_cast<SheetDoc*>(sheetTemplate->OpenDocumentFile(QString())); }
    SheetView* sheetView(SheetDoc* doc) { return static_cast<SheetView*>(doc->views().front()); }

    // The state the main window's update handlers give a command.
    CCmdUI state(int id)
    {
        CCmdUI ui(id, nullptr);
        frame->OnUpdateCommandUI(&ui);
        return ui;
    }
    bool enabled(int id) { return state(id).enabled(); }

    std::unique_ptr<platform::DocManager> manager;
    platform::DocTemplate* startTemplate = nullptr;
    platform::DocTemplate* sheetTemplate = nullptr;
    std::unique_ptr<CMainFrame> frame;
    bool loaded = false;
    int viewType = CVes_TableViewBase::kBarListView;
};

} // namespace test
