// Writes a small starting corpus for every fuzz target: files as the program
// itself writes them (a bar list with bars of the default shapes, hooks and
// connections, text, element, unit and sketch lines; the default shape
// library and one of its shapes; the bar list as a processing sheet; a
// template part and a cover; the bar list as a quantity sheet; sort rules,
// recent values, settings, raw stock and the project files; the shortcuts
// the profile keeps, the message a second copy sends, and a version file of
// the update server; the XML files among them for the XML reader, a bar
// list's bytes for the archive's reads, a sheet's own page layout and a
// bar's typed values for the targets that take values). Usage:
// rodo_fuzz_seeds <folder>; each target's seeds go to <folder>/<target>/.

#include "app/shell/openrequest.h"
#include "core/model/modelrecordlib.h"
#include "core/model/processsteel.h"
#include "core/model/recordcache.h"
#include "core/model/steel.h"
#include "envora/projectinfo.h"
#include "envora/settings.h"
#include "envora/steelyuancaidata.h"
#include "fuzz/pagelayoutvalues.h"
#include "platform/archive.h"
#include "platform/savefile.h"
#include "platform/ui/commandids.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/editrecord.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tables/shared/sortrules.h"
#include "widgara/shortcuttexts.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

QString g_root;

void write(const char* target, const char* name, const QByteArray& bytes)
{
    const QString folder = g_root + u'/' + QString::fromLatin1(target);
    QDir().mkpath(folder);
    platform::saveFile(folder + u'/' + QString::fromLatin1(name), bytes);
}

template <typename T>
QByteArray stored(T& item)
{
    platform::Archive ar;
    item.Serialize(ar);
    return ar.data();
}

// A value as the targets that take values read it: its bytes as they lie
// in memory.
template <typename T>
void append(QByteArray& bytes, T value)
{
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    bytes.append(raw, qsizetype(sizeof(T)));
}

QByteArray withSelector(char selector, const QByteArray& bytes)
{
    return QByteArray(1, selector) + bytes;
}

CVes_Steel sampleBar(CSteelRecordId key, int number)
{
    CVes_Steel bar;
    bar.setRecordId(key);
    bar.setSteelId(QString::number(number));
    bar.setSteel(2, 20.0f, 0);
    bar.setNum(4);
    bar.setJianju(QStringLiteral("200"));
    CVes_Hook hook = bar.getHookLeft();
    hook.enabled = 1;
    bar.setHookLeft(hook);
    bar.getLConnect()->type = 3;
    bar.getFirstMidConnect()->stat = 1;
    return bar;
}

// The values of `bar` (of the second shape of sub-library 191) as a user
// types them, in the order barvalues_fuzz takes them: sub-library and shape,
// grade, diameter, kind, count, flags, group, hooks, end connections, the
// joint's fixed length, then each variable's two values.
QByteArray typedValues(CVes_Steel& bar)
{
    QByteArray bytes;
    append<std::uint8_t>(bytes, 1);
    append<std::uint8_t>(bytes, std::uint8_t(bar.getRecordId().m_recordNo - 1));
    append<std::uint8_t>(bytes, std::uint8_t(bar.grade - 1));
    append<float>(bytes, bar.getDN());
    append<std::uint8_t>(bytes, std::uint8_t(bar.steelType));
    append<std::int32_t>(bytes, bar.count);
    append<std::uint8_t>(bytes, 0);
    append<std::int32_t>(bytes, 0);
    for (const CVes_Hook& hook : {bar.getHookLeft(), bar.getHookRight()}) {
        append<std::uint8_t>(bytes, std::uint8_t(hook.enabled));
        append<std::uint8_t>(bytes, std::uint8_t(hook.kind));
    }
    append<std::uint8_t>(bytes, std::uint8_t(bar.getLConnect()->type));
    append<std::uint8_t>(bytes, std::uint8_t(bar.getRConnect()->type));
    append<std::int32_t>(bytes, bar.getFirstMidConnect()->fixedLength);
    for (const auto& variable : bar.getVarArray()) {
        append<double>(bytes, variable->m_value);
        append<double>(bytes, variable->m_value2);
    }
    return bytes;
}

void barList()
{
    CVes_SetupTable table;
    const CSteelRecordId keys[] = {{190, 1}, {191, 2}, {192, 1}, {193, 1}, {150, 7}};
    int number = 0;
    for (const CSteelRecordId& key : keys)
        table.Add(sampleBar(key, ++number));
    table.Add(QStringList{QStringLiteral("说明"), QStringLiteral("text")});
    CVes_SteelStartReference sketch;
    table.AddImagLine(&sketch);
    write("barlist_fuzz", "bars.pld", stored(table));
    CVes_SetupTable empty;
    write("barlist_fuzz", "empty.pld", stored(empty));
    write("template_fuzz", "template.bin", withSelector(0, [&] {
              platform::Archive ar;
              table.CVes_Template::Serialize(ar);
              return ar.data();
          }()));
    write("template_fuzz", "cover.fmt", withSelector(1, stored(table.m_cover)));
    write("sortrules_fuzz", "sortrule.rul", stored(table.m_rules));
    write("rawstock_fuzz", "block.bin", withSelector(2, stored(table.getYuanCaiLib())));

    // The archive's reads (one of each kind, in turn) over a bar list's
    // bytes.
    QByteArray plan(1, char(20));
    for (char read = 0; read < 20; ++read)
        plan.append(char(read % 10));
    write("archive_fuzz", "bars.bin", plan + stored(table));

    // A bar list's own page layout, in the order pagelayout_fuzz takes it.
    CVes_SetupTable layout;
    QByteArray values;
    fuzz::forEachLayoutValue(layout, [&values](auto& value) { append(values, value); });
    write("pagelayout_fuzz", "layout.bin", values);

    CVes_Steel bar = sampleBar({191, 2}, 1);
    write("barvalues_fuzz", "bar.bin", typedValues(bar));
    write("bar_fuzz", "steel.bin", withSelector(0, stored(bar)));
    write("bar_fuzz", "reference.bin",
          withSelector(1, stored(static_cast<CVes_ModelReference&>(bar))));
    write("bar_fuzz", "start.bin", withSelector(2, stored(bar.start)));
    CVes_ProcessSteel row;
    row.set(static_cast<const CVes_BarCore*>(&bar));
    row.AddLp(4, 'A', 0, QStringLiteral("KL1"), 0);
    write("processsteel_fuzz", "row.bin", stored(row));

    // The bar list as a processing sheet: headings, an element, its bars.
    CVes_ProcessTable sheet;
    sheet.import(table.transformProcess());
    write("processtable_fuzz", "sheet.jgd", stored(sheet));
    CVes_ProcessTable emptySheet;
    write("processtable_fuzz", "empty.jgd", stored(emptySheet));

    // The tags come from either kind of file.
    write("liaopaitable_fuzz", "sheet.jgd", withSelector(0, stored(sheet)));
    write("liaopaitable_fuzz", "bars.pld", withSelector(1, stored(table)));

    // The bar list as a quantity sheet, as its import makes it.
    CVes_SLTable quantities;
    for (CVes_SLTableLine* row : quantities.rowsFromSetup(table))
        quantities.appendLine(row);
    write("ylb_fuzz", "bars.ylb", stored(quantities));
    CVes_SLTable emptyQuantities;
    write("ylb_fuzz", "empty.ylb", stored(emptyQuantities));
}

void shapes()
{
    QByteArray library;
    platform::readFile(CVes_ModelRecordMainLib::sysLibPath(), &library);
    write("shapelib_fuzz", "STeelStyleSys.jlb", library);
    for (const CSteelRecordId& key : {CSteelRecordId(191, 2), CSteelRecordId(193, 1)}) {
        CVes_ModelRecord* record = getUseModelRecord(key);
        if (record)
            write("shape_fuzz", qPrintable(key.ToString() + QStringLiteral(".stl")), stored(*record));
    }
}

void textFiles()
{
    CVes_EditRecordStore store;
    store.record(QStringLiteral("KL1"), 1);
    store.record(QStringLiteral("200"), 3);
    write("editrecord_fuzz", "user_EditRecord.dat", store.toBytes());
    const QByteArray settings = envora::toXml(envora::Settings::defaults());
    write("settings_fuzz", "EnvoraSettings.xml", settings);
    write("xmldocument_fuzz", "EnvoraSettings.xml", settings);
    QByteArray stock;
    platform::readFile(envora::defaultYuanCaiPath(), &stock);
    write("xmldocument_fuzz", "KUCUN.xml", stock);
    write("rawstock_fuzz", "KUCUN.xml", withSelector(0, stock));
    write("rawstock_fuzz", "KUCUN-core.xml", withSelector(1, stock));
}

// The program's messages and settings texts: the shortcuts it keeps in the
// profile (those of the main window), the message a second copy sends, and
// a version file as the update server serves it.
void messages()
{
    const std::vector<std::pair<QKeySequence, int>> keys = {
        {QKeySequence(QStringLiteral("Ctrl+N")), ID_FILE_NEW}, {QKeySequence(QStringLiteral("Ctrl+O")), ID_FILE_OPEN},
        {QKeySequence(QStringLiteral("Ctrl+S")), ID_FILE_SAVE}, {QKeySequence(QStringLiteral("Ctrl+P")), ID_FILE_PRINT},
        {QKeySequence(QStringLiteral("Ctrl+Z")), ID_EDIT_UNDO}, {QKeySequence(QStringLiteral("Ctrl+Y")), ID_EDIT_REDO},
        {QKeySequence(QStringLiteral("F1")), ID_HELP}};
    write("shortcuttexts_fuzz", "shortcuts.txt",
          widgara::shortcutsToStrings(keys).join(u'\n').toUtf8());
    write("openrequest_fuzz", "two-files.msg",
          encodeOpenRequest({QStringLiteral("/home/detailer/工程/一号楼/第1层/柱.pld"),
                             QStringLiteral("/tmp/加工单.jgd")}));
    write("openrequest_fuzz", "no-files.msg", encodeOpenRequest({}));
    write("versionfile_fuzz", "version.ini",
          "[Version]\r\nVer1=2\r\nVer2=1\r\nVer3=5\r\n[URL]\r\nURL=http://update.invalid/rodo/setup.exe\r\n");
}

void projectFiles()
{
    QTemporaryDir folder;
    CVes_ProjectInfo project;
    auto building = std::make_unique<CVes_BuildingInfo>();
    building->setName(QStringLiteral("一号楼"));
    building->setFolder(folder.filePath(QStringLiteral("一号楼")));
    building->setPreparer(QStringLiteral("张三"));
    CVes_LayerInfo* storey = building->AddLayerInfo(QStringLiteral("第1层"));
    storey->AddElementType(QStringLiteral("柱"));
    storey->AddElementType(QStringLiteral("梁"));
    building->AddLayerInfo(QStringLiteral("基础层"))->AddElementType(QStringLiteral("基础"));
    const QString buildingPath = folder.filePath(QStringLiteral("buildinginfo.xml"));
    building->writeFile(buildingPath);
    project.addBuilding(std::move(building));
    const QString projectPath = folder.filePath(QStringLiteral("projectinfo.xml"));
    project.writeFile(projectPath);
    QByteArray bytes;
    platform::readFile(projectPath, &bytes);
    write("projectinfo_fuzz", "projectinfo.xml", withSelector(0, bytes));
    write("xmldocument_fuzz", "projectinfo.xml", bytes);
    platform::readFile(buildingPath, &bytes);
    write("projectinfo_fuzz", "buildinginfo.xml", withSelector(1, bytes));
    write("xmldocument_fuzz", "buildinginfo.xml", bytes);
}

// A template file of each derived sheet, for each companion the documents
// load (the first byte picks it, as in companions_fuzz).
void companions()
{
    CVes_SortBarSheet sorted;
    CVes_SLSumaryTable summary;
    CVes_SLSumaryJTtable joints;
    CVes_SteelJinHuoSumaryTable purchase;
    CVes_ProcessListTable processing;
    CVes_TableBase* sheets[] = {&sorted, &summary, &joints, &purchase,
                                &summary, &joints, &sorted, &processing};
    for (int i = 0; i < int(std::size(sheets)); ++i) {
        platform::Archive ar;
        sheets[i]->CVes_Template::Serialize(ar);
        write("companions_fuzz", qPrintable(QStringLiteral("companion%1.bin").arg(i)),
              withSelector(char(i), ar.data()));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    QTemporaryDir home;
    qputenv("RODO_HOME", home.path().toUtf8() + '/');
    g_root = QString::fromLocal8Bit(argv[1]);
    barList();
    shapes();
    textFiles();
    projectFiles();
    companions();
    messages();
    clearTheUseRecordArray();
    return 0;
}
