// Damaged documents: truncated and mutated files must always give a document
// or a logged error, and every operation on what was recognised must work.

#include "core/geometry/xmldocument.h"
#include "core/geometry/xmlencoding.h"
#include "tests/core/geometry/xmldocument_test.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// The empty entry stands for a NUL byte.
const char* const kFragments[] = {
    "<", ">", "</", "/>", "<!--", "-->", "<![CDATA[", "]]>", "<?", "?>", "<!DOCTYPE x [",
    "]>", "<!", "<!-", "<![", "&", "&#x", "&#", ";", "&amp;", "&lt", "'", "\"", "=", " ",
    "\r\n", "<a>", "</a>", "<b x='1'>", "</b>", "<c/>", "\xEF\xBB\xBF", "\xFE\xFF", "\xFF\xFE",
    "", "\xD6\xD0", "\xE4\xB8", "encoding=\"UTF-16\"",
    "encoding=\"big5\"", "<?xml version=\"1.0\" encoding=\"GB2312\"?>", "<meta charset=utf-8>",
};

QList<QByteArray> seeds()
{
    return {
        RODO_FIXTURE("xml_stock_utf16be.xml"),
        RODO_FIXTURE("xml_steellib_utf8bom.xml"),
        RODO_FIXTURE("xml_userid_gb2312.xml"),
        QByteArray("<?xml version=\"1.0\"?>\r\n<!DOCTYPE r [<!ELEMENT r ANY>]>\r\n<r a='1' b=\"x>y\">"
                   "t&amp;<!-- c --><![CDATA[<d>]]><?pi x?><e/><f>&#x4E2D;</f></r>\r\n"),
        QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                   "charset=gb2312\"></head><body><p>x<br>y</p></body></html>"),
    };
}

class Mutator {
public:
    explicit Mutator(unsigned seed) : m_random(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    QByteArray fragment()
    {
        const char* f = kFragments[below(int(std::size(kFragments)))];
        return f[0] == '\0' ? QByteArray(1, '\0') : QByteArray(f);
    }

    QByteArray mutate(QByteArray bytes)
    {
        const int steps = 1 + below(4);
        for (int i = 0; i < steps; ++i) {
            const int at = bytes.isEmpty() ? 0 : below(int(bytes.size()) + 1);
            switch (below(6)) {
            case 0: bytes.truncate(at); break;
            case 1:
                if (at < bytes.size())
                    bytes[at] = char(below(256));
                break;
            case 2: bytes.insert(at, fragment()); break;
            case 3: bytes.remove(at, below(16)); break;
            case 4: bytes.insert(at, bytes.mid(below(int(bytes.size()) + 1), below(64))); break;
            default: bytes.insert(at, char(below(256))); break;
            }
        }
        return bytes;
    }

private:
    std::mt19937 m_random;
};

// Every element once, through the cursor; the walk must end.
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
    return positions;
}

TEST(DamagedDocuments, AlwaysGiveADocumentOrALoggedErrorAndStayUsable)
{
    Mutator random(20260201u);
    const QList<QByteArray> bases = seeds();
    const QStringList names = {"n", "钢筋", "x_1", "a:b"};
    for (int iteration = 0; iteration < 3000; ++iteration) {
        const QByteArray input = random.mutate(bases[iteration % bases.size()]);
        SCOPED_TRACE(test::toHex(input).toStdString());
        const xml::DecodedText decoded = xml::decodeDocument(input);
        CXmlDocument doc;
        ASSERT_TRUE(doc.setDocument(decoded.text));
        EXPECT_TRUE(doc.isWellFormed() || !doc.getResult().isEmpty());
        const bool wellFormed = doc.isWellFormed();

        const QList<int> positions = allPositions(doc);
        ASSERT_LE(positions.size(), doc.getDocument().size());
        for (const int p : positions) {
            ASSERT_FALSE(doc.getTagName(p).isEmpty());
            doc.getDataAt(p);
            doc.getAttributeAt(p, QStringLiteral("x"));
        }
        if (positions.isEmpty())
            continue;

        // Edits on any recognised element keep the document readable.
        const int target = positions[random.below(int(positions.size()))];
        const QString value = QString::fromUtf8(random.fragment() + random.fragment());
        ASSERT_TRUE(doc.setAttributeAt(target, QStringLiteral("x"), value));
        EXPECT_EQ(doc.getAttributeAt(target, QStringLiteral("x")), value);

        doc.setPosition(0, target, 0);
        const QString name = names[random.below(int(names.size()))];
        const QString data = QString::fromUtf8(random.fragment());
        const int flags = CXmlDocument::kAddChild | (random.below(2) ? CXmlDocument::kAddCData : 0);
        ASSERT_TRUE(doc.addElement(name, data, flags));
        EXPECT_EQ(doc.getTagName(doc.getChildPosition()), name);
        EXPECT_EQ(doc.getDataAt(doc.getChildPosition()), data);
        EXPECT_EQ(doc.getAttributeAt(target, QStringLiteral("x")), value);
        if (wellFormed) {
            CXmlDocument fresh;
            ASSERT_TRUE(fresh.setDocument(doc.getDocument()));
            EXPECT_EQ(test::xmlOutline(doc), test::xmlOutline(fresh));
        }
    }
}

TEST(DamagedDocuments, EveryPrefixOfAFileParses)
{
    const QByteArray file = RODO_FIXTURE("xml_steellib_utf8bom.xml");
    for (qsizetype length = 0; length <= file.size(); ++length) {
        CXmlDocument doc;
        ASSERT_TRUE(doc.setDocument(xml::decodeDocument(file.left(length)).text));
        EXPECT_TRUE(doc.isWellFormed() || !doc.getResult().isEmpty()) << length;
        allPositions(doc);
    }
}

} // namespace
