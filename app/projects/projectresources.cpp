#include "app/projects/projectresources.h"

#include "app/projects/projectids.h"
#include "widgara/resources.h"

#include <QIcon>
#include <QPainter>

namespace {

struct Command {
    int id;
    const char* text;  // "status prompt\ntooltip"
    const char* icon;
};

const Command kCommands[] = {
    {ID_PROJECT_NEW, "新建一个工程\n新建工程", "newproject"},
    {ID_PROJECT_OPEN, "打开一个工程\n打开工程", "openproject"},
    {ID_PROJECT_NEW_BARLIST, "在选中的目录下新建钢筋配料单\n新建钢筋配料单", "newpld"},
    {ID_PROJECT_NEW_PROCESS, "在选中的目录下新建钢筋加工单\n新建钢筋加工单", "newjgd"},
    {ID_PROJECT_NEW_QUANTITY, "在选中的目录下新建钢筋算量单\n新建钢筋算量单", "newylb"},
    {ID_PROJECT_NEW_STOREY, "在选中的工程下新建层或施工部位\n新建层或施工部位", "newstorey"},
    {ID_PROJECT_NEW_ELEMENT_TYPE, "在选中的层下新建构件类型\n新建构件类型", "newelement"},
    {ID_PROJECT_COPY, "复制选中的文件或目录\n复制", "copy"},
    {ID_PROJECT_CUT, "剪切选中的文件或目录\n剪切", "cut"},
    {ID_PROJECT_PASTE, "把复制或剪切的文件或目录粘贴到选中的目录下\n粘贴", "paste"},
    {ID_PROJECT_DELETE, "删除选中的文件或目录\n删除", "delete"},
    {ID_PROJECT_RENAME, "重命名选中的文件或目录\n重命名", "rename"},
    {ID_PROJECT_FOLDER_SUMMARY, "把选中目录下的配料单汇总成钢筋用量表\n本目录下汇总", "foldersum"},
    {ID_PROJECT_PICK_SUMMARY, "任意选择工程中的配料单汇总成钢筋用量表\n任意选择汇总", "picksum"},
    {ID_PROJECT_OPEN_ITEM, "打开选中的文件\n打开", nullptr},
};

// The images of the tree's items by their place in the strip; the places
// left empty are not used.
const char* const kTreeImages[] = {"building", "building_open", "project", "storey_open", "storey",
                                   nullptr, nullptr, nullptr, nullptr, "element", "element_open",
                                   "category", "pld", "jgd", "ylb", nullptr, nullptr, nullptr};

QIcon icon(const char* name)
{
    return QIcon(QStringLiteral(":/projecticons/%1.svg").arg(QString::fromUtf8(name)));
}

QImage strip(const std::vector<const char*>& names, QColor ground)
{
    constexpr int kSize = 16;
    QImage image(kSize * int(names.size()), kSize, QImage::Format_RGB32);
    image.fill(ground);
    QPainter painter(&image);
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i])
            painter.drawPixmap(int(i) * kSize, 0, icon(names[i]).pixmap(kSize, kSize));
    return image;
}

} // namespace

// The pictures are compiled into a static library: linked in only when asked for.
static void initProjectResources()
{
    Q_INIT_RESOURCE(projects);
}

void registerProjectResources()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    initProjectResources();
    widgara::Resources& r = widgara::resources();
    const std::vector<int> toolBar = {ID_PROJECT_NEW, ID_PROJECT_OPEN, 0, ID_PROJECT_NEW_BARLIST,
                                      ID_PROJECT_NEW_PROCESS, ID_PROJECT_NEW_QUANTITY, 0,
                                      ID_PROJECT_NEW_STOREY, ID_PROJECT_NEW_ELEMENT_TYPE, 0,
                                      ID_PROJECT_COPY, ID_PROJECT_CUT, ID_PROJECT_PASTE,
                                      ID_PROJECT_DELETE, ID_PROJECT_RENAME, 0,
                                      ID_PROJECT_FOLDER_SUMMARY, ID_PROJECT_PICK_SUMMARY};
    std::map<int, QIcon> icons;
    std::vector<const char*> images;
    for (const int id : toolBar) {
        for (const Command& c : kCommands) {
            if (c.id == id && c.icon) {
                icons[id] = icon(c.icon);
                images.push_back(c.icon);
            }
        }
    }
    r.setIconSet(IDR_PROJECT_TOOLBAR, std::move(icons));
    r.setToolBar(IDR_PROJECT_TOOLBAR, toolBar);
    // The toolbar's strip on the button face, as the context menu cuts it.
    r.setBitmap(IDR_PROJECT_TOOLBAR, strip(images, QColor(192, 192, 192)));
    r.setBitmap(IDB_PROJECT_TREE, strip({std::begin(kTreeImages), std::end(kTreeImages)}, QColor(0, 255, 0)));
    for (const Command& c : kCommands)
        if (r.string(c.id).isEmpty())
            r.setString(c.id, QString::fromUtf8(c.text));
}
