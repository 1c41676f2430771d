#include "app/shell/filetemplates.h"

#include "app/documents/processdoc.h"
#include "app/documents/processframe.h"
#include "app/documents/processmainview.h"
#include "app/documents/setupdoc.h"
#include "app/documents/setupframe.h"
#include "app/documents/setupmainview.h"
#include "app/documents/sldoc.h"
#include "app/documents/slframe.h"
#include "app/documents/slmainview.h"
#include "app/panes/resourceids.h"
#include "platform/ui/doctemplate.h"

namespace {

// A template whose frame and view are made whole or not at all (a frame
// whose toolbars or a view whose sheet views could not be made is dropped,
// and the document is not opened).
template <typename Doc, typename Frame, typename View>
std::unique_ptr<platform::DocTemplate> documentTemplate(int resourceId, const char* docString)
{
    return std::make_unique<platform::DocTemplate>(
        resourceId, QString::fromUtf8(docString), [] { return std::make_unique<Doc>(); },
        []() -> platform::ChildFrame* {
            auto frame = std::make_unique<Frame>();
            return frame->create() ? frame.release() : nullptr;
        },
        [](QWidget* parent) -> platform::View* {
            auto view = std::make_unique<View>(parent);
            return view->isCreated() ? view.release() : nullptr;
        });
}

} // namespace

std::unique_ptr<platform::DocTemplate> createSetUpTemplate()
{
    return documentTemplate<CRODOSetUpDoc, CRODOSetUpFrame, CRODO_SetUpMainView>(
        IDR_SETUPTYPE, "\n翻样任务\n翻样任务\n钢筋配料单 (*.pld)\n.pld\nrodo.Document\n配料单文件");
}

std::unique_ptr<platform::DocTemplate> createProcessTemplate()
{
    return documentTemplate<CRODOProcessDoc, CRODOProcessFrame, CRODO_ProcessMainView>(
        IDR_PROCESSTYPE, "\n加工任务\n加工任务\n钢筋加工单 (*.jgd)\n.jgd\nrodo.Document\n加工单文件");
}

std::unique_ptr<platform::DocTemplate> createSLTemplate()
{
    return documentTemplate<CRODOSLDoc, CRODOSLFrame, CRODO_SLMainView>(
        IDR_SLTYPE, "\n汇总对量\n汇总对量\n钢筋用量表 (*.ylb)\n.ylb\nrodo.Document\n钢筋用量表文件");
}
