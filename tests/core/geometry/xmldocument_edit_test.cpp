#include "core/geometry/xmldocument.h"
#include "tests/core/geometry/xmldocument_test.h"
#include "tests/support/fixtures.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using test::xmlOutline;

const QString kDeclaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The element table after edits must describe the text exactly as a fresh
// parse of that text does.
void expectTableMatchesText(CXmlDocument& doc)
{
    CXmlDocument fresh;
    ASSERT_TRUE(fresh.setDocument(doc.getDocument()));
    const int parent = doc.getParentPosition();
    const int current = doc.getCurrentPosition();
    const int child = doc.getChildPosition();
    EXPECT_EQ(xmlOutline(doc), xmlOutline(fresh)) << doc.getDocument().toStdString();
    doc.setPosition(parent, current, child);
}

// Runs cursor steps: "name" finds an element at the level, "c:name" a child,
// ">" steps into the current element, "<" out of it.
void walk(CXmlDocument& doc, const QString& steps)
{
    for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (step == u">")
            ASSERT_TRUE(doc.intoElement());
        else if (step == u"<")
            ASSERT_TRUE(doc.outOfElement());
        else if (step.startsWith(QLatin1String("c:")))
            ASSERT_TRUE(doc.findChildElement(step.mid(2))) << step.toStdString();
        else
            ASSERT_TRUE(doc.findElement(step)) << step.toStdString();
    }
}

// The writers' way: a document built from the declaration, saved, read back.

TEST(BuildDocument, CategoryFileWithChineseTextSavesAsUtf8AndReadsBackUnchanged)
{
    const QList<std::pair<QString, QString>> categories = {
        {QStringLiteral("梁"), QStringLiteral("beamSteel.dat")},
        {QStringLiteral("柱 & \"墙\" <特>"), QStringLiteral("wall'1'.dat")},
    };
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(kDeclaration));
    ASSERT_TRUE(doc.addElement(QStringLiteral("STEELCHANGYONG")));
    ASSERT_TRUE(doc.intoElement());
    for (const auto& [caption, file] : categories) {
        ASSERT_TRUE(doc.addElement(QStringLiteral("LIB")));
        ASSERT_TRUE(doc.setAttributeAt(doc.getCurrentPosition(), QStringLiteral("NAME"), caption));
        ASSERT_TRUE(doc.addElement(QStringLiteral("NAME"), caption, CXmlDocument::kAddChild));
        ASSERT_TRUE(doc.addElement(QStringLiteral("FILE"), file, CXmlDocument::kAddChild));
    }
    ASSERT_TRUE(doc.outOfElement());

    const QString expected = kDeclaration
        + QStringLiteral("<STEELCHANGYONG>\r\n"
                         "<LIB NAME=\"梁\">\r\n"
                         "<NAME>梁</NAME>\r\n"
                         "<FILE>beamSteel.dat</FILE>\r\n"
                         "</LIB>\r\n"
                         "<LIB NAME=\"柱 &amp; &quot;墙&quot; &lt;特&gt;\">\r\n"
                         "<NAME>柱 &amp; \"墙\" &lt;特&gt;</NAME>\r\n"
                         "<FILE>wall'1'.dat</FILE>\r\n"
                         "</LIB>\r\n"
                         "</STEELCHANGYONG>\r\n");
    EXPECT_EQ(doc.getDocument(), expected);
    EXPECT_TRUE(doc.isWellFormed());
    expectTableMatchesText(doc);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("steelLib.xml"));
    ASSERT_TRUE(doc.saveFile(path)) << doc.getResult().toStdString();
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<STEELCHANGYONG>"));
    EXPECT_EQ(bytes, expected.toUtf8());
    EXPECT_TRUE(doc.getResult().contains(
        QStringLiteral("<write encoding=\"UTF-8\" length=\"%1\"/>").arg(bytes.size())));

    CXmlDocument back;
    ASSERT_TRUE(back.loadFile(path));
    EXPECT_TRUE(back.isWellFormed());
    ASSERT_TRUE(back.findElement(QStringLiteral("STEELCHANGYONG")));
    ASSERT_TRUE(back.intoElement());
    QList<std::pair<QString, QString>> read;
    while (back.findElement()) {
        EXPECT_EQ(back.getAttributeAt(back.getCurrentPosition(), QStringLiteral("NAME")),
                  categories[read.size()].first);
        QString caption, file;
        if (back.findChildElement(QStringLiteral("NAME")))
            caption = back.getDataAt(back.getChildPosition());
        if (back.findChildElement(QStringLiteral("FILE")))
            file = back.getDataAt(back.getChildPosition());
        read.append({caption, file});
    }
    EXPECT_EQ(read, categories);
}

TEST(BuildDocument, UserNumberFileNestsChildrenUnderAnElementWithoutText)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(kDeclaration));
    ASSERT_TRUE(doc.addElement(QStringLiteral("STEEL_USERIDLIB")));
    ASSERT_TRUE(doc.intoElement());
    for (const char* id : {"201-001", "201-002"}) {
        ASSERT_TRUE(doc.addElement(QStringLiteral("USERID")));
        ASSERT_TRUE(doc.addElement(QStringLiteral("RECORDID"), QString::fromLatin1(id),
                                   CXmlDocument::kAddChild));
        ASSERT_TRUE(doc.addElement(QStringLiteral("USERID"), QStringLiteral("箍筋") + id,
                                   CXmlDocument::kAddChild));
    }
    ASSERT_TRUE(doc.outOfElement());
    EXPECT_TRUE(doc.isWellFormed());
    EXPECT_EQ(xmlOutline(doc), QStringList({"STEEL_USERIDLIB =", " USERID =", "  RECORDID =201-001",
                                            "  USERID =箍筋201-001", " USERID =",
                                            "  RECORDID =201-002", "  USERID =箍筋201-002"}));
    expectTableMatchesText(doc);
}

// addElement: where the element goes and how the text changes.

struct AddCase {
    const char* label;
    const char* text;
    const char* steps;
    const char* name;
    const char* data;
    int flags;
    const char* expected;
};

class AddElement : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddElement, EditsTheTextInPlace)
{
    const AddCase& c = GetParam();
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QString::fromUtf8(c.text)));
    walk(doc, QString::fromUtf8(c.steps));
    const QString data = QString::fromUtf8(c.data);
    ASSERT_TRUE(doc.addElement(QString::fromUtf8(c.name), data, c.flags));
    EXPECT_EQ(doc.getDocument(), QString::fromUtf8(c.expected));
    const int added = (c.flags & CXmlDocument::kAddChild) ? doc.getChildPosition()
                                                          : doc.getCurrentPosition();
    EXPECT_EQ(doc.getTagName(added), QString::fromUtf8(c.name));
    EXPECT_EQ(doc.getDataAt(added), data);
    expectTableMatchesText(doc);
}

constexpr int kChild = CXmlDocument::kAddChild;

const AddCase kAddCases[] = {
    {"into_empty_text", "", "", "r", "", 0, "<r/>\r\n"},
    {"after_declaration_without_line_break", "<?xml version=\"1.0\"?>", "", "r", "", 0,
     "<?xml version=\"1.0\"?>\r\n<r/>\r\n"},
    {"child_under_empty_element", "<a><b/></a>", "a > b", "c", "x", kChild,
     "<a><b>\r\n<c>x</c>\r\n</b></a>"},
    {"child_under_spaced_empty_element", "<a><b x='1' /></a>", "a > b", "c", "", kChild,
     "<a><b x='1'>\r\n<c/>\r\n</b></a>"},
    {"child_first_when_no_current_child", "<a>\r\n<b/>\r\n</a>", "a", "c", "", kChild,
     "<a>\r\n<c/>\r\n<b/>\r\n</a>"},
    {"child_after_current_child", "<a>\r\n<b/>\r\n<d/>\r\n</a>", "a c:b", "c", "", kChild,
     "<a>\r\n<b/>\r\n<c/>\r\n<d/>\r\n</a>"},
    {"sibling_after_current_without_line_break", "<r><a/><z/></r>", "r > a", "b", "", 0,
     "<r><a/>\r\n<b/>\r\n<z/></r>"},
    {"last_at_level_without_current", "<r>\r\n<a/>\r\n</r>", "r >", "b", "", 0,
     "<r>\r\n<a/>\r\n<b/>\r\n</r>"},
    {"last_at_level_of_empty_parent", "<r/>", "r >", "b", "", 0, "<r>\r\n<b/>\r\n</r>"},
    {"sibling_at_top_level", "<r/>\r\n", "r", "s", "", 0, "<r/>\r\n<s/>\r\n"},
    {"cdata_split", "<r/>", "r", "d", "a]]>b]]>", CXmlDocument::kAddCData | kChild,
     "<r>\r\n<d><![CDATA[a]]]]><![CDATA[>b]]]]><![CDATA[>]]></d>\r\n</r>"},
    {"escaped_text", "<r/>", "r", "t", "a<b&c>d'\"", kChild,
     "<r>\r\n<t>a&lt;b&amp;c&gt;d'\"</t>\r\n</r>"},
    {"spaced_empty", "<r/>", "r", "e", "", CXmlDocument::kAddSpacedEmpty | kChild,
     "<r>\r\n<e />\r\n</r>"},
    {"child_under_empty_element_ending_in_slashes", "<a x=y//>", "a", "c", "", kChild,
     "<a x=y/ >\r\n<c/>\r\n</a>"},
    {"child_under_unended_start_tag", "<p><br></p>", "p > br", "c", "", kChild,
     "<p><br>\r\n<c/>\r\n</br></p>"},
    {"child_under_element_open_at_end", "<r><a>t", "r > a", "c", "", kChild,
     "<r><a>\r\n<c/>\r\nt\r\n</a>"},
    {"chinese", "<根/>", "根", "钢筋", "直径12", kChild, "<根>\r\n<钢筋>直径12</钢筋>\r\n</根>"},
};

INSTANTIATE_TEST_SUITE_P(Table, AddElement, ::testing::ValuesIn(kAddCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(AddElementOpen, LeavesAStartTagThatLaterTakesChildren)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QStringLiteral("<r/>")));
    walk(doc, QStringLiteral("r"));
    ASSERT_TRUE(doc.addElement(QStringLiteral("e"), QString(),
                               CXmlDocument::kAddLeaveOpen | CXmlDocument::kAddChild));
    EXPECT_EQ(doc.getDocument(), QStringLiteral("<r>\r\n<e>\r\n</r>"));
    ASSERT_TRUE(doc.intoElement());
    ASSERT_TRUE(doc.addElement(QStringLiteral("c"), QString(), CXmlDocument::kAddChild));
    EXPECT_EQ(doc.getDocument(), QStringLiteral("<r>\r\n<e>\r\n<c/>\r\n</e>\r\n</r>"));
    expectTableMatchesText(doc);
}

TEST(AddElementSequence, KeepsEveryPositionValidAcrossEdits)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QStringLiteral("<r><a x='1'>t</a><b/></r>")));
    walk(doc, QStringLiteral("r > a"));
    const int a = doc.getCurrentPosition();
    ASSERT_TRUE(doc.addElement(QStringLiteral("n"), QStringLiteral("1"), CXmlDocument::kAddChild));
    ASSERT_TRUE(doc.addElement(QStringLiteral("m"), QStringLiteral("2"), CXmlDocument::kAddChild));
    ASSERT_TRUE(doc.setAttributeAt(a, QStringLiteral("y"), QStringLiteral("长一些的值")));
    walk(doc, QStringLiteral("b"));
    ASSERT_TRUE(doc.addElement(QStringLiteral("k"), QString(), CXmlDocument::kAddChild));
    ASSERT_TRUE(doc.setAttributeAt(a, QStringLiteral("x"), 12345));
    EXPECT_EQ(doc.getAttributeAt(a, QStringLiteral("x")), QStringLiteral("12345"));
    EXPECT_EQ(doc.getAttributeAt(a, QStringLiteral("y")), QStringLiteral("长一些的值"));
    EXPECT_EQ(doc.getDataAt(a), QStringLiteral("\r\nt"));
    EXPECT_EQ(xmlOutline(doc, {"x", "y"}),
              QStringList({"r =", " a x=12345 y=长一些的值 =\r\nt", "  n =1", "  m =2", " b =",
                           "  k ="}));
    expectTableMatchesText(doc);
}

struct RefusedAdd {
    const char* label;
    const char* steps;
    int docFlags;
    const char* name;
    const char* data;
    int flags;
};

class AddElementRefused : public ::testing::TestWithParam<RefusedAdd> {};

TEST_P(AddElementRefused, ChangesNothing)
{
    const RefusedAdd& c = GetParam();
    const QString text = QStringLiteral("<r><a/></r>");
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(text));
    walk(doc, QString::fromUtf8(c.steps));
    doc.setDocFlags(c.docFlags);
    const int current = doc.getCurrentPosition();
    const int child = doc.getChildPosition();
    EXPECT_FALSE(doc.addElement(QString::fromUtf8(c.name), QString::fromUtf8(c.data), c.flags));
    EXPECT_EQ(doc.getDocument(), text);
    EXPECT_EQ(doc.getCurrentPosition(), current);
    EXPECT_EQ(doc.getChildPosition(), child);
}

const RefusedAdd kRefusedAdds[] = {
    {"bound_for_reading", "r", CXmlDocument::kFlagReadFile, "n", "", 0},
    {"child_without_current_element", "", 0, "n", "", kChild},
    {"child_while_bound_for_writing", "r", CXmlDocument::kFlagWriteFile, "n", "", kChild},
    {"open_element_with_data", "r", 0, "n", "x", CXmlDocument::kAddLeaveOpen},
    {"empty_name", "r", 0, "", "", kChild},
    {"name_with_blank", "r", 0, "a b", "", kChild},
    {"name_starting_with_digit", "r", 0, "1a", "", kChild},
    {"name_with_markup", "r", 0, "a><b", "", kChild},
    {"name_with_slash", "r", 0, "a/b", "", kChild},
    {"name_with_quote", "r", 0, "a\"", "", kChild},
};

INSTANTIATE_TEST_SUITE_P(Table, AddElementRefused, ::testing::ValuesIn(kRefusedAdds),
                         [](const auto& info) { return std::string(info.param.label); });

// setAttributeAt.

struct AttributeEdit {
    const char* label;
    const char* text;
    const char* name;
    const char* value;
    const char* expected;
};

class SetAttribute : public ::testing::TestWithParam<AttributeEdit> {};

TEST_P(SetAttribute, WritesAnEscapedQuotedValue)
{
    const AttributeEdit& c = GetParam();
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QString::fromUtf8(c.text)));
    ASSERT_TRUE(doc.findElement(QStringLiteral("a")));
    const QString name = QString::fromUtf8(c.name);
    const QString value = QString::fromUtf8(c.value);
    ASSERT_TRUE(doc.setAttributeAt(doc.getCurrentPosition(), name, value));
    EXPECT_EQ(doc.getDocument(), QString::fromUtf8(c.expected));
    EXPECT_EQ(doc.getAttributeAt(doc.getCurrentPosition(), name), value);
    expectTableMatchesText(doc);
}

const AttributeEdit kAttributeEdits[] = {
    {"into_empty_element", "<a/>", "x", "1", "<a x=\"1\"/>"},
    {"into_spaced_empty_element", "<a />", "x", "1", "<a x=\"1\" />"},
    {"after_the_last_attribute", "<a y='2'  >t</a>", "x", "1", "<a y='2' x=\"1\"  >t</a>"},
    {"replaces_a_value", "<a x='old' y='2'>t</a>", "x", "新", "<a x=\"新\" y='2'>t</a>"},
    {"replaces_an_unquoted_value", "<a x=old/>", "x", "1", "<a x=\"1\"/>"},
    {"gives_a_bare_attribute_a_value", "<a x>t</a>", "x", "v", "<a x=\"v\">t</a>"},
    {"escapes_quotes", "<a/>", "v", "say \"hi\" & 'bye' <ok>",
     "<a v=\"say &quot;hi&quot; &amp; &apos;bye&apos; &lt;ok&gt;\"/>"},
    {"empty_value", "<a x='1'/>", "x", "", "<a x=\"\"/>"},
    {"shifts_later_elements", "<a><b x='1'>t</b></a>", "x", "很长的值",
     "<a x=\"很长的值\"><b x='1'>t</b></a>"},
};

INSTANTIATE_TEST_SUITE_P(Table, SetAttribute, ::testing::ValuesIn(kAttributeEdits),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(SetAttribute, NumbersAreWrittenInDecimal)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QStringLiteral("<a/>")));
    ASSERT_TRUE(doc.setAttributeAt(1, QStringLiteral("n"), -2147483647 - 1));
    EXPECT_EQ(doc.getDocument(), QStringLiteral("<a n=\"-2147483648\"/>"));
}

TEST(SetAttribute, RefusedWithoutAnElementOrWhileBoundForReading)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QStringLiteral("<a/>")));
    EXPECT_FALSE(doc.setAttributeAt(0, QStringLiteral("x"), QStringLiteral("1")));
    EXPECT_FALSE(doc.setAttributeAt(2, QStringLiteral("x"), QStringLiteral("1")));
    EXPECT_FALSE(doc.setAttributeAt(1, QString(), QStringLiteral("1")));
    EXPECT_FALSE(doc.setAttributeAt(1, QStringLiteral("x y"), QStringLiteral("1")));
    EXPECT_FALSE(doc.setAttributeAt(1, QStringLiteral("x=\"\" onload"), QStringLiteral("1")));
    doc.setDocFlags(CXmlDocument::kFlagReadFile);
    EXPECT_FALSE(doc.setAttributeAt(1, QStringLiteral("x"), QStringLiteral("1")));
    EXPECT_EQ(doc.getDocument(), QStringLiteral("<a/>"));
}

// saveFile: the declared encoding decides the bytes.

struct SaveCase {
    const char* label;
    const char* text;
    QByteArray bytes;
    int flags;
    const char* event;
};

QByteArray encoded(const char* text, const char* codec)
{
    QStringEncoder encoder(codec);
    return encoder.encode(QString::fromUtf8(text));
}

const char kGbText[] = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<a>钢筋</a>\r\n";
const char kUtf16Text[] = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<a>钢筋</a>\r\n";
const char kUtf16BeText[] = "<?xml version=\"1.0\" encoding=\"UTF-16BE\"?>\r\n<a>钢筋</a>\r\n";
const char kLatin1Text[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<a>é钢</a>\r\n";
const char kPlainText[] = "<a>钢筋</a>\r\n";
const char kBlankFirstText[] = " <a>钢筋</a>\r\n";
const char kUtf32Text[] = "<?xml version=\"1.0\" encoding=\"UTF-32\"?><a>钢筋</a>";

class SaveFile : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveFile, WritesTheDeclaredEncodingAndReadsBack)
{
    const SaveCase& c = GetParam();
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QString::fromUtf8(c.text)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xml"));
    ASSERT_TRUE(doc.saveFile(path));
    EXPECT_EQ(test::toHex(fileBytes(path)), test::toHex(c.bytes));
    EXPECT_EQ(doc.getDocFlags(), c.flags);
    if (c.event) {
        EXPECT_TRUE(doc.getResult().contains(u'<' + QLatin1String(c.event)))
            << doc.getResult().toStdString();
    }
    EXPECT_TRUE(doc.getResult().contains(QLatin1String("<write ")));

    CXmlDocument back;
    ASSERT_TRUE(back.loadFile(path));
    ASSERT_TRUE(back.findElement(QStringLiteral("a")));
    if (!doc.getResult().contains(QLatin1String("conversion_loss"))) {
        EXPECT_EQ(back.getDocument(), doc.getDocument());
    }
}

const SaveCase kSaveCases[] = {
    {"undeclared_is_utf8_without_bom", kPlainText, QByteArray(kPlainText), 0, nullptr},
    {"undeclared_blank_first_is_utf8_with_mark", kBlankFirstText,
     test::hex("EF BB BF") + QByteArray(kBlankFirstText), 0x4, nullptr},
    {"utf32_is_written_as_utf8", kUtf32Text, QByteArray(kUtf32Text), 0, "converted_from"},
    {"gb2312", kGbText, encoded(kGbText, "GBK"), 0, nullptr},
    {"utf16_with_bom", kUtf16Text, test::hex("FF FE") + encoded(kUtf16Text, "UTF-16LE"), 0x1,
     "converted_from"},
    {"utf16be_with_bom", kUtf16BeText, test::hex("FE FF") + encoded(kUtf16BeText, "UTF-16BE"),
     0x80, "endian_swap"},
    {"latin1_loses_chinese", kLatin1Text,
     QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<a>\xE9?</a>\r\n"), 0,
     "conversion_loss"},
};

INSTANTIATE_TEST_SUITE_P(Table, SaveFile, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(SaveFile, Utf8FileWithMarkIsWrittenBackWithoutIt)
{
    CXmlDocument doc;
    ASSERT_TRUE(doc.loadFile(QStringLiteral(RODO_FIXTURES_DIR "/xml_steellib_utf8bom.xml")));
    ASSERT_TRUE(doc.getDocFlags() & CXmlDocument::kFlagUtf8Preamble);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("steelLib.xml"));
    ASSERT_TRUE(doc.saveFile(path));
    EXPECT_EQ(fileBytes(path), RODO_FIXTURE("xml_steellib_utf8bom.xml").mid(3));
    EXPECT_FALSE(doc.getDocFlags() & CXmlDocument::kFlagUtf8Preamble);
}

TEST(SaveFile, ShorterTextLeavesNoTailOfTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.xml"));
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QStringLiteral("<a>a long text of many characters</a>")));
    ASSERT_TRUE(doc.saveFile(path));
    ASSERT_TRUE(doc.setDocument(QStringLiteral("<b/>")));
    ASSERT_TRUE(doc.saveFile(path));
    EXPECT_EQ(fileBytes(path), QByteArray("<b/>"));
}

TEST(SaveFile, RefusedWhileBoundToAFileAndFailsOnABadPath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.xml"));
    CXmlDocument doc;
    ASSERT_TRUE(doc.setDocument(QStringLiteral("<a/>")));
    for (const int flag : {CXmlDocument::kFlagReadFile, CXmlDocument::kFlagWriteFile}) {
        doc.setDocFlags(flag);
        EXPECT_FALSE(doc.saveFile(path));
        EXPECT_FALSE(QFile::exists(path));
    }
    doc.setDocFlags(0);
    EXPECT_FALSE(doc.saveFile(dir.filePath(QStringLiteral("no/such/folder/x.xml"))));
    EXPECT_TRUE(doc.getResult().startsWith(QLatin1String("<file_error msg=\"")));
}

} // namespace
