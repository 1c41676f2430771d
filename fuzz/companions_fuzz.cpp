// A companion template file of a document (".jtm2"–".jtm5", ".jstm2"–
// ".jstm4", ".jptm2") as the document loads it into one of its derived
// sheets, chosen by the first byte; the sheet is then built from a small
// bar list (or processing sheet) with that layout and its pages drawn, and
// its template is written and read back.

#include "fuzz/fuzzsupport.h"

#include "app/documents/documentfiles.h"
#include "platform/archive.h"
#include "tables/barlist/setuptable.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"

#include <QFile>

#include <functional>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::prepareWithFonts(argc, argv);
    return 0;
}

namespace {

// Bars of three sizes on the straight default shape in two elements.
CVes_SetupTable& barList()
{
    static CVes_SetupTable* list = [] {
        auto* t = new CVes_SetupTable;
        t->clearnAllLine();
        for (int e = 0; e < 2; ++e) {
            auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
            element->setNull(0);
            element->setElement(QStringLiteral("KL%1").arg(e + 1));
            element->setEleNum(e + 1);
            t->appendLine(element);
            for (int i = 0; i < 4; ++i) {
                CVes_Steel bar;
                bar.setRecordId(CSteelRecordId(190, 1 + i % 2));
                bar.setDN(float(12 + 4 * (i % 3)));
                bar.grade = 1 + i % 3;
                bar.setVarValue(QStringLiteral("L"), 2000.0 + 250 * i);
                bar.count = 2 + i;
                bar.number = QString::number(e * 4 + i + 1);
                t->Add(bar);
            }
        }
        return t;
    }();
    return *list;
}

// The same bars as a quantity sheet.
CVes_SLTable& quantitySheet()
{
    static CVes_SLTable* sheet = [] {
        auto* t = new CVes_SLTable;
        for (CVes_SLTableLine* row : barList().transformSL(0))
            t->appendLine(row);
        return t;
    }();
    return *sheet;
}

struct Companion {
    const char* extension;
    std::function<std::unique_ptr<CVes_TableBase>()> make;
    std::function<void(CVes_TableBase&)> build;
};

const std::vector<Companion>& companions()
{
    static const std::vector<Companion> all{
        {"jtm2", [] { return std::make_unique<CVes_SortBarSheet>(); },
         [](CVes_TableBase& s) { barList().SortSteel(static_cast<CVes_SortBarSheet*>(&s), 0); }},
        {"jtm3", [] { return std::make_unique<CVes_SLSumaryTable>(); },
         [](CVes_TableBase& s) { barList().SummarySTeel(static_cast<CVes_SLSumaryTable*>(&s), 0); }},
        {"jtm4", [] { return std::make_unique<CVes_SLSumaryJTtable>(); },
         [](CVes_TableBase& s) { barList().SummaryJT(static_cast<CVes_SLSumaryJTtable*>(&s)); }},
        {"jtm5", [] { return std::make_unique<CVes_SteelJinHuoSumaryTable>(); },
         [](CVes_TableBase& s) { barList().JinHuo(static_cast<CVes_SteelJinHuoSumaryTable*>(&s)); }},
        {"jstm2", [] { return std::make_unique<CVes_SLSumaryTable>(); },
         [](CVes_TableBase& s) { quantitySheet().SummarySTeel(static_cast<CVes_SLSumaryTable*>(&s)); }},
        {"jstm3", [] { return std::make_unique<CVes_SLSumaryJTtable>(); },
         [](CVes_TableBase& s) { quantitySheet().SummaryJT(static_cast<CVes_SLSumaryJTtable*>(&s)); }},
        {"jstm4", [] { return std::make_unique<CVes_SortBarSheet>(); },
         [](CVes_TableBase& s) { quantitySheet().SortSteel(static_cast<CVes_SortBarSheet*>(&s)); }},
        {"jptm2", [] { return std::make_unique<CVes_ProcessListTable>(); },
         [](CVes_TableBase& s) {
             CVes_ProcessTable sheet;
             for (CVes_TableBaseLine* row : barList().transformProcessList(0, 1, 1))
                 sheet.appendLine(row);
             sheet.toListSheet(static_cast<CVes_ProcessListTable*>(&s));
         }},
    };
    return all;
}

QByteArray templateBytes(CVes_TableBase& sheet)
{
    platform::Archive out;
    sheet.CVes_Template::Serialize(out);
    return out.data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Companion& companion = companions()[data[0] % companions().size()];
    const QString path = fuzz::writeScratchFile("a.jtm", fuzz::bytesOf(data + 1, size - 1));
    const QString file = path.left(path.size() - 3) + QString::fromUtf8(companion.extension);
    QFile::remove(file);
    QFile::rename(path, file);

    std::unique_ptr<CVes_TableBase> sheet = companion.make();
    const QStringList unread = docfiles::loadTemplateSet(
        path, {{sheet.get(), QString::fromUtf8(companion.extension)}});
    companion.build(*sheet);
    fuzz::drawPages(*sheet);

    // What the sheet holds now is written and read back the same.
    if (unread.isEmpty()) {
        const QByteArray once = templateBytes(*sheet);
        std::unique_ptr<CVes_TableBase> again = companion.make();
        platform::Archive in(once);
        again->CVes_Template::Serialize(in);
        FUZZ_CHECK(templateBytes(*again) == once);
    }
    return 0;
}
