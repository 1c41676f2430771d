#include "core/geometry/xmldocument.h"
#include "core/geometry/xmlencoding.h"
#include "tests/core/geometry/xmldocument_test.h"
#include "tests/support/fixtures.h"

#include <QFile>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

using test::xmlOutline;

QByteArray gbk(const char* utf8)
{
    QStringEncoder encoder("windows-936");
    return encoder.encode(QString::fromUtf8(utf8));
}

QByteArray utf16(const char* utf8, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding);
    return encoder.encode(QString::fromUtf8(utf8));
}

bool logHas(const xml::LogEvents& events, const char* name)
{
    for (const xml::LogEvent& e : events) {
        if (e.name == QLatin1String(name))
            return true;
    }
    return false;
}

// Encoding names.

struct CodePageCase {
    const char* name;
    int codePage;
};

class EncodingName : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(EncodingName, LooksUpItsCodePage)
{
    const QString name = QString::fromLatin1(GetParam().name);
    EXPECT_EQ(CXmlDocument::getEncodingCodePage(name), GetParam().codePage) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, EncodingName,
    ::testing::Values(CodePageCase{"UTF8", 65001}, CodePageCase{"utf8", 65001},
                      CodePageCase{"unicode-2-0-utf-8", 65001}, CodePageCase{"Utf-8", 65001},
                      CodePageCase{"unicode-1-1-utf-8", 65001},
                      CodePageCase{"utf-32", 12000}, CodePageCase{"utf-32le", 12000},
                      CodePageCase{"Utf-32", 12000}, CodePageCase{"UTF-32", 65005},
                      CodePageCase{"UTF-32BE", 65005}, CodePageCase{"UTF-32anything", 65005},
                      CodePageCase{"utf-32be", 12001},
                      CodePageCase{"utf-16", 1200}, CodePageCase{"UTF-16LE", 1200},
                      CodePageCase{"ucs-2le", 1200}, CodePageCase{"utf-16be", 1201},
                      CodePageCase{"unicodeFFFE", 1201},
                      CodePageCase{"gb2312", 936}, CodePageCase{"GBK", 936},
                      CodePageCase{"cp936", 936}, CodePageCase{"windows-936", 936},
                      CodePageCase{"MS936", 936}, CodePageCase{"big5", 950},
                      CodePageCase{"CP950", 950}, CodePageCase{"iso-8859-1", 28591},
                      CodePageCase{"l1", 28591}, CodePageCase{"cp819", 28591},
                      CodePageCase{"us-ascii", 20127}, CodePageCase{"ASCII", 20127},
                      CodePageCase{"Shift_JIS", 932}, CodePageCase{"windows-1252", 1252},
                      CodePageCase{"", 0}, CodePageCase{"utf-9", -1},
                      CodePageCase{"utf 8", -1}, CodePageCase{"中文", -1},
                      CodePageCase{"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                                   "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
                                   -1}),
    [](const auto& info) { return test::caseName(info.index, info.param.name); });

TEST(EncodingNames, DifferOnlyWhenBothAreKnownAndTheirCodePagesDiffer)
{
    EXPECT_FALSE(xml::encodingsDiffer(QString(), QStringLiteral("GB2312")));
    EXPECT_FALSE(xml::encodingsDiffer(QStringLiteral("gbk"), QStringLiteral("cp936")));
    EXPECT_TRUE(xml::encodingsDiffer(QStringLiteral("UTF-8"), QString()));
    EXPECT_TRUE(xml::encodingsDiffer(QStringLiteral("utf-16"), QStringLiteral("utf-16be")));
    EXPECT_FALSE(xml::encodingsDiffer(QStringLiteral("x-bogus"), QStringLiteral("utf-8")));
}

// Reading files: byte-order marks, declared and sniffed encodings.

struct DecodeCase {
    const char* label;
    QByteArray bytes;
    const char* text;     // UTF-8
    const char* encoding;
    int flags;
    const char* event;    // an event the log must hold, or nullptr
    const char* absent;   // an event the log must not hold, or nullptr
};

class DecodeFile : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeFile, GivesTextEncodingAndEvents)
{
    const DecodeCase& c = GetParam();
    const xml::DecodedText decoded = xml::decodeDocument(c.bytes);
    EXPECT_EQ(decoded.text, QString::fromUtf8(c.text));
    EXPECT_EQ(decoded.encoding, QString::fromLatin1(c.encoding));
    EXPECT_EQ(decoded.flags, c.flags);
    ASSERT_FALSE(decoded.events.isEmpty());
    EXPECT_EQ(decoded.events.back().name, QStringLiteral("read"));
    if (c.event) {
        EXPECT_TRUE(logHas(decoded.events, c.event)) << c.event;
    }
    if (c.absent) {
        EXPECT_FALSE(logHas(decoded.events, c.absent)) << c.absent;
    }
}

const DecodeCase kDecodeCases[] = {
    {"utf8_bom", test::hex("EF BB BF") + QByteArray("<a>\xE4\xB8\xAD</a>"), "<a>中</a>", "UTF-8",
     0x4, "bom", "utf8_detection"},
    {"utf16be_bom", test::hex("FE FF") + utf16("<a>中</a>", QStringConverter::Utf16BE), "<a>中</a>",
     "UTF-16BE", 0x80, "endian_swap", nullptr},
    {"utf16le_bom", test::hex("FF FE") + utf16("<a>中</a>", QStringConverter::Utf16LE), "<a>中</a>",
     "UTF-16LE", 0x1, "converted_to", "endian_swap"},
    {"utf16le_nul_units", test::hex("FF FE 3C 00 61 00 00 00 2F 00 3E 00"), "<a/>", "UTF-16LE", 0x1,
     "nulls_removed", nullptr},
    {"utf16le_odd_byte", test::hex("FF FE 3C 00 61 00 2F 00 3E 00 41"), "<a/>", "UTF-16LE", 0x1,
     nullptr, nullptr},
    {"lt_first_means_utf8", QByteArray("<a>\xE4\xB8\xAD</a>"), "<a>中</a>", "UTF-8", 0, nullptr,
     "utf8_detection"},
    {"lt_first_but_gbk", QByteArray("<a>") + gbk("中") + "</a>", "<a>中</a>", "UTF-8", 0,
     "utf8_detection", nullptr},
    {"blank_first_is_ansi", QByteArray(" <a>") + gbk("中") + "</a>", " <a>中</a>", "", 0, nullptr,
     "converted_to"},
    {"declared_gb2312",
     QByteArray("<?xml version=\"1.0\" encoding=\"GB2312\"?><a>") + gbk("钢筋") + "</a>",
     "<?xml version=\"1.0\" encoding=\"GB2312\"?><a>钢筋</a>", "GB2312", 0, nullptr, "converted_to"},
    {"declared_latin1_single_quotes",
     QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?><a>\xE9</a>"),
     "<?xml version='1.0' encoding='ISO-8859-1'?><a>é</a>", "ISO-8859-1", 0, "converted_to",
     nullptr},
    {"html_meta_content_type",
     QByteArray("<html><head><meta http-equiv=\"Content-Type\" "
                "content=\"text/html; charset=big5\"></head>\xA4\xA4</html>"),
     "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\"></head>中"
     "</html>",
     "big5", 0, "converted_to", nullptr},
    {"html_meta_charset", QByteArray("<html><META charset=Shift_JIS>\x93\xFA</html>"),
     "<html><META charset=Shift_JIS>日</html>", "Shift_JIS", 0, nullptr, nullptr},
    {"unknown_encoding_as_ansi",
     QByteArray("<?xml version=\"1.0\" encoding=\"x-nothing\"?><a>") + gbk("中") + "</a>",
     "<?xml version=\"1.0\" encoding=\"x-nothing\"?><a>中</a>", "x-nothing", 0, "conversion_loss",
     nullptr},
    {"empty_file", QByteArray(), "", "", 0, nullptr, "bom"},
};

INSTANTIATE_TEST_SUITE_P(Table, DecodeFile, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(DeclaredEncoding, IsFoundOnlyInTheDeclarationOrAMetaElement)
{
    EXPECT_EQ(xml::declaredEncoding(u"<?xml version=\"1.0\" encoding = \"utf-8\" ?><a/>"),
              QStringLiteral("utf-8"));
    EXPECT_EQ(xml::declaredEncoding(u"<a encoding=\"big5\"/>"), QString());
    EXPECT_EQ(xml::declaredEncoding(u"<?xml version=\"1.0\"?><a/>"), QString());
    EXPECT_EQ(xml::declaredEncoding(u"<?xml encoding="), QString());
    // A text that ends inside its declaration still names the encoding.
    EXPECT_EQ(xml::declaredEncoding(u"<?xml encoding=\"gbk\""), QStringLiteral("gbk"));
}

// Only the first kilobyte of a file is searched for its declaration; one the
// kilobyte's end cuts off is not read at all, since its name may be cut short.
struct WindowCase {
    const char* label;
    int declarationEnd;   // the byte after the declaration's ">"
    const char* encoding; // declared
    const char* read;     // the encoding the file is read in
};

class DeclarationAtTheWindow : public ::testing::TestWithParam<WindowCase> {};

TEST_P(DeclarationAtTheWindow, IsReadWholeOrNotAtAll)
{
    const WindowCase& c = GetParam();
    const QByteArray declaration =
        QByteArray("<?xml version=\"1.0\" encoding=\"") + c.encoding + "\"?>";
    const QByteArray body = QByteArray("<a>") + QByteArray("\xE4\xB8\xAD") + "</a>"; // 中 in UTF-8
    const qsizetype padding = c.declarationEnd - declaration.size() - 3;
    ASSERT_GE(padding, 0);
    const QByteArray bytes = "<b>" + QByteArray(padding, 'x') + declaration + body;
    ASSERT_EQ(bytes.indexOf("?>") + 2, c.declarationEnd);

    const xml::DecodedText decoded = xml::decodeDocument(bytes);
    EXPECT_EQ(decoded.encoding, QString::fromLatin1(c.read));
    EXPECT_TRUE(decoded.text.endsWith(QStringLiteral("<a>中</a>"))) << decoded.text.right(20).toStdString();
    EXPECT_FALSE(logHas(decoded.events, "conversion_loss"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeclarationAtTheWindow,
    ::testing::Values(
        // The whole declaration lies in the first 1024 bytes.
        WindowCase{"ends_at_the_window", 1024, "utf-8", "utf-8"},
        // The window ends in the name: "UTF" would name no known encoding.
        WindowCase{"name_cut_to_UTF", 1024 + 5, "UTF-8", "UTF-8"},
        // The window ends after the name, before the ">".
        WindowCase{"close_cut", 1024 + 1, "utf-8", "UTF-8"}),
    [](const auto& info) { return std::string(info.param.label); });

// Edits the first and the last element the cursor finds, as the document's
// editing checks do: an attribute and a child of text that needs escaping.
void editFirstAndLast(CXmlDocument& doc)
{
    QList<int> positions;
    doc.setPosition(0, 0, 0);
    for (;;) {
        if (doc.findElement()) {
            positions << doc.getCurrentPosition();
            doc.intoElement();
        } else if (!doc.outOfElement()) {
            break;
        }
    }
    ASSERT_GE(positions.size(), 2);
    const QString value = QStringLiteral("v\"'<&>]]>");
    for (const int at : {positions.front(), positions.back()}) {
        ASSERT_TRUE(doc.setAttributeAt(at, QStringLiteral("x"), value));
        doc.setPosition(0, at, 0);
        ASSERT_TRUE(doc.addElement(QStringLiteral("n"), value,
                                   CXmlDocument::kAddChild | CXmlDocument::kAddCData));
    }
}

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(RODO_FIXTURES_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An edited document whose declaration the edits moved to the end of the
// first kilobyte reads back from the bytes it is written to as it was.
TEST(EditedDocument, ReadsBackWhenTheEditsMoveItsDeclarationToTheKilobyteEnd)
{
    const QByteArray bytes = fixture("xml_edit_moves_declaration_to_first_kilobyte_end.xml");
    ASSERT_FALSE(bytes.isEmpty());
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(xml::decodeDocument(bytes).text));
    editFirstAndLast(doc);
    const xml::EncodedText encoded = xml::encodeDocument(doc.getDocument());
    EXPECT_EQ(encoded.encoding, QStringLiteral("UTF-8"));
    // The edits put the declaration across the 1024th byte of the file.
    const qsizetype at = encoded.bytes.indexOf("encoding=\"UTF-8\"");
    ASSERT_GE(at, 0);
    EXPECT_LT(at, 1024);
    EXPECT_GT(at + qsizetype(sizeof "encoding=\"UTF-8\"?>") - 1, 1024);

    const xml::DecodedText back = xml::decodeDocument(encoded.bytes);
    EXPECT_EQ(back.encoding, QStringLiteral("UTF-8"));
    EXPECT_FALSE(logHas(back.events, "conversion_loss"));
    EXPECT_EQ(back.text, doc.getDocument());
}

// Written bytes that begin like a byte-order mark are read as one: writing
// such a text reports the loss rather than a file that reads back otherwise.
TEST(EditedDocument, WrittenBytesThatBeginLikeAMarkReportALoss)
{
    // A text that starts with U+FEFF, declared UTF-8: no mark is written,
    // and the reader would drop the character.
    const xml::EncodedText feff = xml::encodeDocument(
        QStringLiteral("\uFEFF<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>"));
    EXPECT_TRUE(feff.bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(logHas(feff.events, "conversion_loss"));
    EXPECT_NE(xml::decodeDocument(feff.bytes).text.size(), 0);
    EXPECT_FALSE(xml::decodeDocument(feff.bytes).text.startsWith(QChar(0xFEFF)));

    // A file with a UTF-8 mark that is not UTF-8 (read in the ANSI code
    // page), whose first character's ANSI byte is 0xFF, declaring an unknown
    // encoding: written back in the ANSI code page, it would begin FF FE.
    CXmlDocument doc;
    const xml::DecodedText read = xml::decodeDocument(fixture("xml_mark_then_ansi_bytes_of_a_mark.xml"));
    ASSERT_TRUE(doc.setDocument(read.text));
    editFirstAndLast(doc);
    const xml::EncodedText encoded = xml::encodeDocument(doc.getDocument());
    EXPECT_TRUE(encoded.bytes.startsWith("\xFF\xFE"));
    EXPECT_TRUE(logHas(encoded.events, "conversion_loss"));

    // A sound text is written with no loss reported.
    const xml::EncodedText sound =
        xml::encodeDocument(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>中</a>"));
    EXPECT_FALSE(logHas(sound.events, "conversion_loss"));
}

TEST(LoadFile, ReadsTheFixturesInTheirEncodings)
{
    CXmlDocument stock;
    ASSERT_TRUE(stock.loadFile(QStringLiteral(RODO_FIXTURES_DIR "/xml_stock_utf16be.xml")));
    EXPECT_TRUE(stock.isWellFormed()) << stock.getResult().toStdString();
    EXPECT_EQ(stock.getDocFlags() & CXmlDocument::kFlagUtf16BeFile, CXmlDocument::kFlagUtf16BeFile);
    EXPECT_TRUE(stock.getResult().contains(QLatin1String("<endian_swap")));
    EXPECT_EQ(xmlOutline(stock), QStringList({
        "STEELYUANCAI =",
        " STEEL DN=12 =",
        "  PRICE =4200.5",
        "  LENGTH =9000",
        " STEEL DN=25 =",
        "  PRICE =4100",
        " STEEL DN=6.5 =",
    }));
    EXPECT_TRUE(stock.getDocument().contains(QStringLiteral("<!-- 盘条 -->")));

    CXmlDocument lib;
    ASSERT_TRUE(lib.loadFile(QStringLiteral(RODO_FIXTURES_DIR "/xml_steellib_utf8bom.xml")));
    EXPECT_TRUE(lib.getDocument().startsWith(QLatin1String("<?xml")));
    EXPECT_EQ(lib.getDocFlags() & CXmlDocument::kFlagUtf8Preamble, CXmlDocument::kFlagUtf8Preamble);
    EXPECT_EQ(xmlOutline(lib),
              QStringList({"STEELCHANGYONG =", " LIB NAME=梁 =", "  NAME =梁", "  FILE =beamSteel.dat",
                           " LIB NAME=柱 =", "  NAME =柱", "  FILE =columnsteel.dat"}));

    CXmlDocument ids;
    ASSERT_TRUE(ids.loadFile(QStringLiteral(RODO_FIXTURES_DIR "/xml_userid_gb2312.xml")));
    EXPECT_EQ(xmlOutline(ids),
              QStringList({"STEEL_USERIDLIB =", " USERID =", "  RECORDID =201-001", "  USERID =箍筋A",
                           " USERID =", "  RECORDID =201-002", "  USERID =拉筋&B"}));
}

TEST(LoadFile, MissingFileFailsWithAFileErrorAndAnEmptyDocument)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QStringLiteral("<old/>")));
    EXPECT_FALSE(doc.loadFile(QStringLiteral(RODO_FIXTURES_DIR "/no_such_file.xml")));
    EXPECT_TRUE(doc.getResult().startsWith(QLatin1String("<file_error msg=\"")));
    EXPECT_TRUE(doc.getDocument().isEmpty());
    EXPECT_FALSE(doc.findElement());
    EXPECT_FALSE(doc.loadFile(QStringLiteral(RODO_FIXTURES_DIR)));
    EXPECT_TRUE(doc.getResult().startsWith(QLatin1String("<file_error")));
}

// Parsing and well-formedness.

struct ParseCase {
    const char* label;
    const char* text;
    bool wellFormed;
    const char* event;       // the log must hold this event (nullptr: the log is empty)
    QStringList outline;     // every element, indented by level
};

class Parse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Parse, FindsElementsAndLogsFaults)
{
    const ParseCase& c = GetParam();
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QString::fromUtf8(c.text)));
    EXPECT_EQ(doc.isWellFormed(), c.wellFormed);
    if (c.event) {
        EXPECT_TRUE(doc.getResult().contains(u'<' + QLatin1String(c.event)))
            << doc.getResult().toStdString();
    } else {
        EXPECT_EQ(doc.getResult(), QString());
    }
    EXPECT_EQ(xmlOutline(doc), c.outline);
}

const ParseCase kParseCases[] = {
    {"single_root", "<a/>", true, nullptr, {"a ="}},
    {"declaration_comment_pi_doctype",
     "<?xml version=\"1.0\"?>\r\n<!DOCTYPE a [<!ELEMENT a ANY><!ATTLIST a x CDATA #IMPLIED>]>\r\n"
     "<!-- c --><?pi data?><a x='&gt;'>t</a>\r\n",
     true, nullptr, {"a x=> =t"}},
    {"gt_inside_quoted_attribute", "<a x='>' y=\"a>b\"><b/></a>", true, nullptr,
     {"a x=> =", " b ="}},
    {"cdata_hides_markup", "<a><![CDATA[<b>&amp;</b>]]></a>", true, nullptr, {"a =<b>&amp;</b>"}},
    {"root_with_sibling", "<a/><b>x</b>", false, "root_has_sibling", {"a =", "b =x"}},
    {"empty_text", "", false, "no_root_element", {}},
    {"only_blanks_and_text", " \r\n text ", false, "no_root_element", {}},
    {"lone_end_tag", "<a>x</b>y</a>", false, "lone_end_tag", {"a =xy"}},
    {"unended_start_tag_children_go_to_parent", "<p>x<br>y<i/>z</p>", false, "unended_start_tag",
     {"p =xyz", " br =", " i ="}},
    {"unended_nested", "<r><a><b><c/></r>", false, "unended_start_tag",
     {"r =", " a =", " b =", " c ="}},
    {"open_at_end_keeps_content", "<r><a/>t<b>", false, "unended_start_tag",
     {"r =t", " a =", " b ="}},
    {"first_tag_syntax", "<a>1 < 2</a>", false, "first_tag_syntax", {"a =1 "}},
    {"end_tag_without_name", "<a></ ></a>", false, "first_tag_syntax", {"a ="}},
    {"exclamation_tag_syntax", "<a><!x></a>", false, "exclamation_tag_syntax", {"a ="}},
    {"comment_tag_syntax", "<a><!-x--></a>", false, "comment_tag_syntax", {"a ="}},
    {"cdata_section_syntax", "<a><![CDAT[x]]></a>", false, "cdata_section_syntax", {"a ="}},
    {"doctype_tag_syntax", "<!DOCTYP a><a/>", false, "doctype_tag_syntax", {"a ="}},
    {"unterminated_tag", "<a><b x='1", false, "unterminated_tag_syntax", {"a ="}},
    {"unterminated_comment", "<a/><!-- never", false, "unterminated_tag_syntax", {"a ="}},
    {"unterminated_cdata", "<a><![CDATA[x", false, "unterminated_tag_syntax", {"a ="}},
    {"lone_less_than_at_end", "<a/><", false, "unterminated_tag_syntax", {"a ="}},
    {"chinese_names", "<钢筋 直径=\"12\">箍筋</钢筋>", true, nullptr, {"钢筋 =箍筋"}},
};

INSTANTIATE_TEST_SUITE_P(Table, Parse, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Parse, CaseInsensitiveModeMatchesEndTagsAndNames)
{
    CXmlDocument exact;
    ASSERT_TRUE(exact.setDocument(QStringLiteral("<A><b>x</B></a>")));
    EXPECT_FALSE(exact.isWellFormed());

    CXmlDocument folded;
    folded.setDocFlags(CXmlDocument::kFlagIgnoreCase);
    ASSERT_TRUE(folded.setDocument(QStringLiteral("<A><b X='1'>x</B></a>")));
    EXPECT_TRUE(folded.isWellFormed()) << folded.getResult().toStdString();
    ASSERT_TRUE(folded.findElement(QStringLiteral("a")));
    ASSERT_TRUE(folded.findChildElement(QStringLiteral("B")));
    EXPECT_EQ(folded.getAttributeAt(folded.getChildPosition(), QStringLiteral("x")), QStringLiteral("1"));
}

TEST(Parse, DeepNestingNeedsNoRecursion)
{
    constexpr int kDepth = 200000;
    QString text;
    for (int i = 0; i < kDepth; ++i)
        text += QLatin1String("<a>");
    text += QLatin1String("x");
    for (int i = 0; i < kDepth; ++i)
        text += QLatin1String("</a>");
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(text));
    EXPECT_TRUE(doc.isWellFormed());
    int depth = 0;
    while (doc.findElement()) {
        ++depth;
        doc.intoElement();
    }
    EXPECT_EQ(depth, kDepth);
    doc.outOfElement();
    EXPECT_EQ(doc.getDataAt(doc.getCurrentPosition()), QStringLiteral("x"));

    // Unclosed, the same depth is logged and kept, not refused.
    ASSERT_TRUE(doc.setDocument(text.left(kDepth * 3)));
    EXPECT_FALSE(doc.isWellFormed());
    EXPECT_TRUE(doc.getResult().startsWith(QLatin1String("<unended_start_tag")));
    EXPECT_LE(doc.getResult().size(), 999);
}

TEST(Parse, ResultLogStopsAt999Characters)
{
    QString text = QStringLiteral("<a>");
    for (int i = 0; i < 500; ++i)
        text += QLatin1String("</b>");
    text += QLatin1String("</a>");
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(text));
    EXPECT_LE(doc.getResult().size(), 999);
    EXPECT_GT(doc.getResult().size(), 900);
    EXPECT_TRUE(doc.getResult().endsWith(QLatin1String("/>")));
}

TEST(Parse, AnEventWithALongTagNameStillFitsTheLog)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QLatin1String("<a") + QString(400, u'&') + u'>'));
    EXPECT_FALSE(doc.isWellFormed());
    EXPECT_TRUE(doc.getResult().startsWith(QLatin1String("<unended_start_tag tagname=\"a&amp;")));
    EXPECT_LE(doc.getResult().size(), 999);
}

TEST(SetDocument, NullTextGivesAnEmptyDocumentWithoutEvents)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QStringLiteral("<a/>")));
    ASSERT_TRUE(doc.setDocument(QString()));
    EXPECT_TRUE(doc.getDocument().isEmpty());
    EXPECT_TRUE(doc.getResult().isEmpty());
    EXPECT_FALSE(doc.isWellFormed());
    EXPECT_FALSE(doc.findElement());
}

TEST(SetDocument, RefusedWhileBoundToAFile)
{
    for (const int flag : {CXmlDocument::kFlagReadFile, CXmlDocument::kFlagWriteFile}) {
        CXmlDocument doc;
        ASSERT_TRUE(doc.setDocument(QStringLiteral("<a/>")));
        doc.setDocFlags(flag);
        EXPECT_FALSE(doc.setDocument(QStringLiteral("<b/>")));
        EXPECT_FALSE(doc.loadFile(QStringLiteral(RODO_FIXTURES_DIR "/xml_steellib_utf8bom.xml")));
        EXPECT_EQ(doc.getDocument(), QStringLiteral("<a/>"));
    }
}

// Data and attribute values.

struct DataCase {
    const char* label;
    const char* text; // the element "a" is read
    const char* data;
};

class ReadData : public ::testing::TestWithParam<DataCase> {};

TEST_P(ReadData, ResolvesReferencesAndSections)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QString::fromUtf8(GetParam().text)));
    ASSERT_TRUE(doc.findElement(QStringLiteral("a")));
    EXPECT_EQ(doc.getDataAt(doc.getCurrentPosition()), QString::fromUtf8(GetParam().data));
}

const DataCase kDataCases[] = {
    {"greater_than", "<a>x &gt; y</a>", "x > y"},
    {"markup_escapes", "<a>&lt;&amp;&gt;&quot;&apos;</a>", "<&>\"'"},
    {"unknown_entity_kept", "<a>&unknown;&bogus</a>", "&unknown;&bogus"},
    {"entity_without_semicolon_kept", "<a>&amp &lt</a>", "&amp &lt"},
    {"entity_name_too_long_kept", "<a>&thetasymx;&thetasym;</a>", "&thetasymx;ϑ"},
    {"case_of_entity_names", "<a>&Alpha;&alpha;&Dagger;&dagger;&AMP;</a>", "Αα‡†&"},
    {"numeric_references", "<a>&#20013;&#x6587;&#65;</a>", "中文A"},
    {"numeric_references_malformed_kept", "<a>&#;&#x;&#xD800;&#0;&#12a;&#x110000;</a>",
     "&#;&#x;&#xD800;&#0;&#12a;&#x110000;"},
    {"supplementary_plane", "<a>&#x1F600;</a>", "\xF0\x9F\x98\x80"},
    {"cdata_split_reads_back", "<a><![CDATA[x]]]]><![CDATA[>y]]></a>", "x]]>y"},
    {"text_around_children", "<a>t1<b>in</b>t2<!-- c -->t3</a>", "t1t2t3"},
    {"whitespace_only_content", "<a> \r\n</a>", " \r\n"},
    {"blank_lines_between_children_skipped", "<a>\r\n<b/>\r\n</a>", ""},
    {"empty_element", "<a/>", ""},
};

INSTANTIATE_TEST_SUITE_P(Table, ReadData, ::testing::ValuesIn(kDataCases),
                         [](const auto& info) { return std::string(info.param.label); });

struct AttributeCase {
    const char* name;
    const char* value;
};

class ReadAttribute : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(ReadAttribute, OfOneStartTag)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QStringLiteral(
        "<a x=\"1\" y='2' z=3 w  u = \"&quot;q&quot; &#x4E2D;\" e=\"\" t=\"a>b\" v=end/>")));
    ASSERT_TRUE(doc.findElement());
    EXPECT_EQ(doc.getAttributeAt(doc.getCurrentPosition(), QString::fromUtf8(GetParam().name)),
              QString::fromUtf8(GetParam().value))
        << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Table, ReadAttribute,
                         ::testing::Values(AttributeCase{"x", "1"}, AttributeCase{"y", "2"},
                                           AttributeCase{"z", "3"}, AttributeCase{"w", ""},
                                           AttributeCase{"u", "\"q\" 中"}, AttributeCase{"e", ""},
                                           AttributeCase{"t", "a>b"}, AttributeCase{"v", "end"},
                                           AttributeCase{"X", ""}, AttributeCase{"missing", ""},
                                           AttributeCase{"", ""}),
                         [](const auto& info) { return test::caseName(info.index, info.param.name); });

TEST(ReadAttribute, PositionZeroOrOutOfRangeGivesNothing)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QStringLiteral("<a x='1'>t</a>")));
    for (const int position : {0, -1, 2, 1000}) {
        EXPECT_EQ(doc.getAttributeAt(position, QStringLiteral("x")), QString());
        EXPECT_EQ(doc.getDataAt(position), QString());
        EXPECT_EQ(doc.getTagName(position), QString());
    }
    EXPECT_EQ(doc.getTagName(1), QStringLiteral("a"));
}

// Navigation.

class Navigate : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.loadFile(QStringLiteral(RODO_FIXTURES_DIR "/xml_stock_utf16be.xml")));
    }
    CXmlDocument doc;
};

TEST_F(Navigate, ChildrenOfTheRootInDocumentOrderThenFailure)
{
    EXPECT_EQ(doc.getCurrentPosition(), 0);
    ASSERT_TRUE(doc.findElement(QStringLiteral("STEELYUANCAI")));
    ASSERT_TRUE(doc.intoElement());
    QStringList diameters;
    while (doc.findElement(QStringLiteral("STEEL")))
        diameters << doc.getAttributeAt(doc.getCurrentPosition(), QStringLiteral("DN"));
    EXPECT_EQ(diameters, QStringList({"12", "25", "6.5"}));
    EXPECT_EQ(doc.getTagName(doc.getCurrentPosition()), QStringLiteral("STEEL"));
    EXPECT_TRUE(doc.outOfElement());
    EXPECT_EQ(doc.getTagName(doc.getCurrentPosition()), QStringLiteral("STEELYUANCAI"));
    EXPECT_FALSE(doc.outOfElement());
}

TEST_F(Navigate, FindChildElementFromNowhereFirstMovesToTheRoot)
{
    ASSERT_TRUE(doc.findChildElement(QStringLiteral("STEEL")));
    EXPECT_EQ(doc.getTagName(doc.getCurrentPosition()), QStringLiteral("STEELYUANCAI"));
    EXPECT_EQ(doc.getAttributeAt(doc.getChildPosition(), QStringLiteral("DN")), QStringLiteral("12"));
}

TEST_F(Navigate, ChildSearchMovesForwardOnly)
{
    ASSERT_TRUE(doc.findElement());
    ASSERT_TRUE(doc.intoElement());
    ASSERT_TRUE(doc.findElement(QStringLiteral("STEEL")));
    // LENGTH after PRICE is found; PRICE after LENGTH is not.
    EXPECT_TRUE(doc.findChildElement(QStringLiteral("PRICE")));
    EXPECT_TRUE(doc.findChildElement(QStringLiteral("LENGTH")));
    EXPECT_EQ(doc.getDataAt(doc.getChildPosition()), QStringLiteral("9000"));
    const int child = doc.getChildPosition();
    EXPECT_FALSE(doc.findChildElement(QStringLiteral("PRICE")));
    EXPECT_EQ(doc.getChildPosition(), child);
    // A new element at the level clears the child.
    ASSERT_TRUE(doc.findElement(QStringLiteral("STEEL")));
    EXPECT_EQ(doc.getChildPosition(), 0);
    EXPECT_FALSE(doc.findChildElement(QStringLiteral("LENGTH")));
}

TEST_F(Navigate, IntoAndOutOfTheCurrentChild)
{
    ASSERT_TRUE(doc.findChildElement(QStringLiteral("STEEL")));
    const int steel = doc.getChildPosition();
    ASSERT_TRUE(doc.intoElement());
    EXPECT_EQ(doc.getCurrentPosition(), steel);
    ASSERT_TRUE(doc.findChildElement(QStringLiteral("LENGTH")));
    ASSERT_TRUE(doc.outOfElement());
    EXPECT_EQ(doc.getChildPosition(), steel);
    EXPECT_EQ(doc.getTagName(doc.getCurrentPosition()), QStringLiteral("STEELYUANCAI"));
}

TEST_F(Navigate, IntoElementNeedsACurrentElement)
{
    EXPECT_FALSE(doc.intoElement());
    EXPECT_FALSE(doc.outOfElement());
    EXPECT_EQ(doc.setPosition(0, 0, 0), 0);
}

TEST_F(Navigate, SetPositionTakesOnlyExistingPositions)
{
    EXPECT_EQ(doc.setPosition(1, 2, 99999), 2);
    EXPECT_EQ(doc.getParentPosition(), 1);
    EXPECT_EQ(doc.getChildPosition(), 0);
    EXPECT_EQ(doc.getNodeType(), CXmlDocument::kNodeElement);
    EXPECT_EQ(doc.setPosition(-4, 99999, 3), 0);
    EXPECT_EQ(doc.getParentPosition(), 0);
    EXPECT_EQ(doc.getNodeType(), 0);
}

TEST_F(Navigate, NothingIsFoundByNameWhileBoundForWriting)
{
    doc.setDocFlags(doc.getDocFlags() | CXmlDocument::kFlagWriteFile);
    EXPECT_FALSE(doc.findElement());
    EXPECT_FALSE(doc.findChildElement());
    EXPECT_TRUE(doc.isWellFormed());
}

} // namespace
