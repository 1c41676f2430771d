#include "fuzz/fuzzsupport.h"

#include "core/model/barcore.h"
#include "core/model/modelrecord.h"
#include "platform/archive.h"
#include "platform/recordingdc.h"
#include "platform/savefile.h"
#include "tables/framework/tablebase.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// The leak check at the end of a run leaves alone what the suppression file
// names in libraries that are not ours (the font configuration that the
// targets drawing text load). Options in the environment come on top.
extern "C" const char* __lsan_default_options()
{
    return "suppressions=" RODO_SANITIZER_SUPPRESSIONS "/lsan.supp:print_suppressions=0";
}

namespace fuzz {

void prepare()
{
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/rodo-fuzz-XXXXXX"));
    qputenv("RODO_HOME", home.path().toUtf8());
}

void prepareWithFonts(int* argc, char*** argv)
{
    prepare();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* application = new QGuiApplication(*argc, *argv);
    (void)application;
}

void measureBar(CVes_BarCore& bar)
{
    std::vector<float> lengths;
    std::vector<int> counts;
    for (unsigned int sel : {0u, 1u}) {
        bar.calculateLength(sel, 1.0);
        bar.calculateGroupLength(lengths, counts, sel, 1.0);
        bar.getLength(sel, 0.1);
    }
    bar.getZheshu();
    bar.calMidConnectNum();
    for (const auto& variable : bar.getVarArray())
        variable->valueText();
}

void drawShape(CVes_ModelRecord& record)
{
    platform::RecordingDc dc;
    const platform::Rect thumbnail(0, 0, 160, 40);
    record.Draw(&dc, 0x808080, 0x0000FF, 0, 0, 0, 0, &thumbnail, 1, 1, -1.0);
    record.Draw(&dc, 0x808080, 0x0000FF, 0, 0, 0, 0, nullptr, 1, 1, 1.0);
    record.Draw2(0, &dc, 10, 10, CVes_ShapeModel::kMirrorLeftRight, &thumbnail, 1, 0, 1.0);
}

void drawReference(CVes_ReferenceBase& reference)
{
    platform::RecordingDc dc;
    const platform::Rect cell(100, 100, 500, 160);
    reference.Draw(&dc, 0x808080, 0x0000FF, 0, 100, 100, 0, &cell, 1, 1.0);
}

namespace {

void drawOn(CVes_TableBase& table, bool printing)
{
    platform::RecordingDc::Device device;
    device.printing = printing;
    platform::RecordingDc dc(device);
    table.Draw(&dc, platform::Rect(0, 0, 1024, 768));
}

} // namespace

void drawPages(CVes_TableBase& table)
{
    table.firstPage();
    drawOn(table, false);
    table.endPage();
    drawOn(table, true);
    table.PrevPage();
    table.nextPage();
    table.setPageTo(0, 0);
    drawOn(table, false);
    drawOn(table, true);
}

bool load(CVes_TableBase& table, const QByteArray& bytes)
{
    std::unique_ptr<CVes_TableBase> fresh = table.createEmpty();
    try {
        platform::Archive ar(bytes);
        fresh->Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return false;
    } catch (const platform::SchemaError&) {
        return false;
    }
    table.takeOver(*fresh);
    return true;
}

void checkSavedReopens(CVes_TableBase& table)
{
    QByteArray saved;
    try {
        platform::Archive out;
        table.Serialize(out);
        saved = out.data();
    } catch (const platform::TextEncodingError&) {
        return;
    }
    std::unique_ptr<CVes_TableBase> reopened = table.createEmpty();
    try {
        platform::Archive in(saved);
        reopened->Serialize(in);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "what was saved is refused: %s\n", e.what());
        std::abort();
    }
    platform::Archive again;
    reopened->Serialize(again);
    FUZZ_CHECK(again.data() == saved);
}

QString writeScratchFile(const char* name, const QByteArray& bytes)
{
    const QString path = QDir(qEnvironmentVariable("RODO_HOME")).filePath(QString::fromLatin1(name));
    FUZZ_CHECK(platform::saveFile(path, bytes));
    return path;
}

} // namespace fuzz
