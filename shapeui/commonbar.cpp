#include "shapeui/commonbar.h"

#include "core/geometry/datafolder.h"
#include "core/geometry/xmldocument.h"
#include "platform/gbk.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QFileInfo>
#include <climits>

namespace {

const QString kDeclaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
const QString kRootName = QStringLiteral("STEELCHANGYONG");

// atoi without its undefined overflow: values beyond int saturate.
int leadingInt(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return int(negative ? -value : value);
}

} // namespace

CSteelRecordId parseKeyText(const QString& line)
{
    const qsizetype dash = line.indexOf(u'-');
    if (dash <= 0)
        return CSteelRecordId::Null();
    const QStringView view(line);
    return {leadingInt(view.left(dash)), leadingInt(view.mid(dash + 1))};
}

QString categoryFilePath(int libKind)
{
    return GetRODOFilePath()
           + (libKind == kStartLibKind ? QStringLiteral("startLib.xml") : QStringLiteral("steelLib.xml"));
}

bool isListFileName(const QString& fileName)
{
    return !fileName.isEmpty() && !fileName.contains(u'/') && !fileName.contains(u'\\')
           && fileName != u"." && fileName != u"..";
}

QString listFilePath(const QString& fileName)
{
    return isListFileName(fileName) ? GetRODOFilePath() + fileName : QString();
}

std::vector<CSteelRecordId> readListFile(const QString& fileName)
{
    const QString path = listFilePath(fileName);
    if (path.isEmpty())
        return {};
    platform::WaitCursor wait;
    if (!QFileInfo::exists(path)) {
        platform::saveFile(path, QByteArray());
        return {};
    }
    QByteArray bytes;
    if (!platform::readFile(path, &bytes))
        return {};
    std::vector<CSteelRecordId> keys;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            keys.push_back(parseKeyText(platform::gbk::decode(line)));
    }
    return keys;
}

bool writeListFile(const QString& fileName, const std::vector<CSteelRecordId>& keys, int limit)
{
    const QString path = listFilePath(fileName);
    if (path.isEmpty())
        return false;
    platform::WaitCursor wait;
    QByteArray bytes;
    int written = 0;
    for (const CSteelRecordId& key : keys) {
        if (limit >= 0 && written >= limit)
            break;
        if (key.isNull())
            continue;
        bytes += platform::gbk::encode(key.ToString()) + "\r\n";
        ++written;
    }
    return platform::saveFile(path, bytes);
}

void CommonBarCategories::clear()
{
    m_names.clear();
    m_files.clear();
}

void CommonBarCategories::append(const QString& name, const QString& file)
{
    m_names.append(name);
    m_files.append(file);
}

bool CommonBarCategories::rename(int index, const QString& name)
{
    if (index < 0 || index >= m_names.size())
        return false;
    m_names[index] = name;
    return true;
}

bool CommonBarCategories::readCategoryFile(int libKind)
{
    return readFile(categoryFilePath(libKind));
}

bool CommonBarCategories::readFile(const QString& path)
{
    clear();
    CXmlDocument doc;
    if (!doc.loadFile(path) || !doc.isWellFormed() || !doc.findElement(kRootName))
        return isPaired();
    doc.intoElement();
    while (doc.findElement()) {
        if (const auto name = childElementText(doc, QStringLiteral("NAME")))
            m_names.append(*name);
        if (const auto file = childElementText(doc, QStringLiteral("FILE")))
            m_files.append(*file);
    }
    doc.outOfElement();
    return isPaired();
}

bool CommonBarCategories::writeCategoryFile(int libKind) const
{
    return writeFile(categoryFilePath(libKind));
}

bool CommonBarCategories::writeFile(const QString& path) const
{
    if (!isPaired())
        return false;
    CXmlDocument doc;
    doc.setDocument(kDeclaration);
    doc.addElement(kRootName);
    doc.intoElement();
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        doc.addElement(QStringLiteral("LIB"));
        doc.setAttributeAt(doc.getCurrentPosition(), QStringLiteral("NAME"), m_names[i]);
        doc.intoElement();
        doc.addElement(QStringLiteral("NAME"), m_names[i]);
        doc.addElement(QStringLiteral("FILE"), m_files[i]);
        doc.outOfElement();
    }
    doc.outOfElement();
    return doc.saveFile(path);
}
