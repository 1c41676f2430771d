#pragma once
// The program's small XML reader and writer. A document is one text; its
// elements are indexed by offsets in a table of positions instead of a tree of
// objects, and edits change the text in place. A cursor of three positions
// (parent, current element, current child) walks the elements by name.

#include "core/geometry/xmlencoding.h"

#include <QString>
#include <QStringView>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

class CXmlDocument
{
public:
    // Document flags. The byte-order flags tell how the file was (or will be)
    // stored; while bound to a file for reading nothing is edited, while bound
    // for writing nothing is found by name.
    static constexpr int kFlagUtf16LeFile = 0x1;
    static constexpr int kFlagUtf8Preamble = 0x4;
    static constexpr int kFlagIgnoreCase = 0x8;
    static constexpr int kFlagReadFile = 0x10;
    static constexpr int kFlagWriteFile = 0x20;
    static constexpr int kFlagUtf16BeFile = 0x80;

    // Flags of addElement.
    static constexpr int kAddCData = 0x1;          // the data as a CDATA section
    static constexpr int kAddSpacedEmpty = 0x4;    // an empty element ends " />"
    static constexpr int kAddLeaveOpen = 0x10;     // only the start tag (no data)
    static constexpr int kAddChild = 0x4000;       // under the current element

    // Node types of the tokenizer.
    static constexpr int kNodeEndTag = 0;
    static constexpr int kNodeElement = 1;
    static constexpr int kNodeText = 2;
    static constexpr int kNodeWhitespace = 4;
    static constexpr int kNodeCData = 8;
    static constexpr int kNodeProcessingInstruction = 16;
    static constexpr int kNodeComment = 32;
    static constexpr int kNodeDocumentType = 64;
    static constexpr int kNodeError = -1;

    // Element flags.
    static constexpr int kElementUnended = 0x100000;

    // Texts longer than this (in characters; files: in bytes) are refused.
    static constexpr int kMaxTextLength = 32 * 1024 * 1024;

    CXmlDocument();
    ~CXmlDocument();

    // Replaces the text and parses it; a null text gives an empty document
    // with empty tables. Refused while bound to a file.
    bool setDocument(const QString& text);
    const QString& getDocument() const { return m_strDoc; }

    // Reads a file, converting it from its encoding, and parses it. On failure
    // the document is empty and the result log holds "file_error".
    bool loadFile(const QString& path);
    // Writes the text in the encoding its XML declaration names (UTF-8 when
    // none), replacing the file atomically.
    bool saveFile(const QString& path);

    bool isWellFormed() const;
    // The log of the last load, parse or save: one empty element per event.
    const QString& getResult() const { return m_strResult; }

    int getDocFlags() const { return m_nDocFlags; }
    void setDocFlags(int flags) { m_nDocFlags = flags; }

    // The code page of an encoding name (0 for none, -1 when unknown).
    static int getEncodingCodePage(const QString& name);

    // Cursor.
    int setPosition(int parent, int current, int child);
    int getParentPosition() const { return m_iPosParent; }
    int getCurrentPosition() const { return m_iPos; }
    int getChildPosition() const { return m_iPosChild; }
    int getNodeType() const { return m_nNodeType; }

    bool findElement(const QString& name = QString());
    bool findChildElement(const QString& name = QString());
    bool intoElement();
    bool outOfElement();

    QString getAttributeAt(int position, const QString& name) const;
    QString getDataAt(int position) const;
    QString getTagName(int position) const;

    bool setAttributeAt(int position, const QString& name, const QString& value);
    bool setAttributeAt(int position, const QString& name, int value);
    bool addElement(const QString& name, const QString& data = QString(), int flags = 0);

private:
    struct ElementPosition {
        int start = 0;
        int length = 0;
        int startTagLength = 0;
        int endTagLength = 0;
        int flags = 0;
        int level = 0;
        int parent = 0;
        int firstChild = 0;
        int nextSibling = 0;
        int previousSibling = 0; // of the first child: the last child
        int end() const { return start + length; }
    };

    struct Attribute {
        int nameStart = 0;
        int nameLength = 0;
        int valueStart = -1; // the opening quote, or the first character unquoted
        int valueEnd = -1;   // after the closing quote
        bool quoted = false;
    };

    void clear();
    void parse();
    void logEvent(const char* name, std::initializer_list<std::pair<const char*, QString>> attributes);
    void appendEvents(const xml::LogEvents& events);

    bool isElement(int position) const;
    bool namesEqual(QStringView a, QStringView b) const;
    int nameEnd(int from) const;
    std::vector<Attribute> attributesOf(int position) const;

    void replaceText(int offset, int removed, const QString& inserted);
    void makeStartAndEndTags(int position);
    // Links `position` under `parent` after the sibling `after` (0: first).
    void linkElement(int position, int parent, int after);
    bool fits(qsizetype extra) const;

    QString m_strDoc;
    QString m_strResult;
    int m_iPosParent = 0;
    int m_iPos = 0;
    int m_iPosChild = 0;
    int m_nNodeType = 0;
    int m_nDocFlags = 0;
    bool m_bIllFormed = false;
    std::vector<ElementPosition> m_aPos;
};

// The text of the child element `name` of the document's current element,
// whichever place it has among the children; none when there is no such child.
std::optional<QString> childElementText(CXmlDocument& doc, const QString& name);
