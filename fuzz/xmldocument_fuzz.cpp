// Feeds arbitrary bytes to the XML reader as a file's content, then walks,
// reads and edits whatever was recognised. A crash, a sanitizer report or an
// abort below is a finding: a damaged file must give a document or a logged
// error, and edits of a well-formed document must keep its table in step
// with its text.

#include "fuzz/fuzzsupport.h"

#include "core/geometry/xmldocument.h"
#include "core/geometry/xmlencoding.h"
#include "tests/core/geometry/xmldocument_test.h"

namespace {

QList<int> allPositions(CXmlDocument& doc)
{
    QList<int> positions;
    doc.setPosition(0, 0, 0);
    const int limit = int(doc.getDocument().size()) + 1;
    while (positions.size() <= limit) {
        if (doc.findElement()) {
            positions << doc.getCurrentPosition();
            doc.intoElement();
        } else if (!doc.outOfElement()) {
            break;
        }
    }
    FUZZ_CHECK(positions.size() <= limit);
    return positions;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const xml::DecodedText decoded = xml::decodeDocument(bytes);

    CXmlDocument doc;
    if (size > 0 && (data[size - 1] & 1))
        doc.setDocFlags(CXmlDocument::kFlagIgnoreCase);
    FUZZ_CHECK(doc.setDocument(decoded.text));
    FUZZ_CHECK(doc.isWellFormed() || !doc.getResult().isEmpty());
    FUZZ_CHECK(doc.getResult().size() <= 999);
    const bool wellFormed = doc.isWellFormed();

    const QList<int> positions = allPositions(doc);
    for (const int p : positions) {
        FUZZ_CHECK(!doc.getTagName(p).isEmpty());
        doc.getDataAt(p);
        doc.getAttributeAt(p, QStringLiteral("x"));
    }
    if (positions.isEmpty())
        return 0;

    // Edit the first and the last element found.
    const QString value = QStringLiteral("v\"'<&>]]>");
    for (const int target : {positions.front(), positions.back()}) {
        FUZZ_CHECK(doc.setAttributeAt(target, QStringLiteral("x"), value));
        FUZZ_CHECK(doc.getAttributeAt(target, QStringLiteral("x")) == value);
        doc.setPosition(0, target, 0);
        FUZZ_CHECK(doc.addElement(QStringLiteral("n"), value,
                             CXmlDocument::kAddChild | CXmlDocument::kAddCData));
        FUZZ_CHECK(doc.getDataAt(doc.getChildPosition()) == value);
        FUZZ_CHECK(doc.getAttributeAt(target, QStringLiteral("x")) == value);
    }
    if (wellFormed) {
        CXmlDocument fresh;
        fresh.setDocFlags(doc.getDocFlags());
        FUZZ_CHECK(fresh.setDocument(doc.getDocument()));
        FUZZ_CHECK(test::xmlOutline(doc) == test::xmlOutline(fresh));
    }

    // The edited text reads back from its own file bytes, unless the log says
    // that characters were lost or the reader cannot find the declared
    // encoding again (one that is not ASCII-compatible, such as UTF-7 or
    // EBCDIC, hides its own declaration). 16-bit files drop NUL characters.
    const xml::EncodedText encoded = xml::encodeDocument(doc.getDocument());
    bool lossy = false;
    for (const xml::LogEvent& event : encoded.events)
        lossy = lossy || event.name == QLatin1String("conversion_loss");
    xml::DecodedText back = xml::decodeDocument(encoded.bytes);
    if (!lossy && !xml::encodingsDiffer(back.encoding, encoded.encoding)) {
        QString original = doc.getDocument();
        FUZZ_CHECK(back.text.remove(QChar(0)) == original.remove(QChar(0)));
    }
    return 0;
}
