#include "tables/framework/tablecover.h"

#include "core/geometry/text.h"
#include "tables/framework/form.h"
#include "platform/archive.h"
#include "tables/framework/streamfile.h"

namespace {

// The least number of bytes a stored cover text takes.
constexpr qsizetype kMinVariableBytes = 32;

void checkSize(int value, int most, const char* what)
{
    if (value < 1 || value > most)
        throw platform::ArchiveError(what);
}

} // namespace

CVes_TableCover::CVes_TableCover() : m_form(std::make_unique<CVes_Form>())
{
    m_form->SetColumnCount(m_columns);
    m_form->SetRowCount(m_rows);
}

CVes_TableCover::~CVes_TableCover() = default;

void CVes_TableCover::initVariables()
{
    if (m_rows < 1)
        return;
    for (int i = 0; i < m_rows; ++i) {
        auto variable = std::make_unique<CVes_Variable>();
        variable->setTxtHigh(kTextHeight);
        variable->setTxtAlign(kTextAlign);
        m_variables.push_back(std::move(variable));
        m_percents.append(100 / m_rows);
    }
}

void CVes_TableCover::clearVariables()
{
    m_variables.clear();
    m_percents.clear();
}

void CVes_TableCover::copyFrom(const CVes_TableCover* other)
{
    if (!other || other == this || other->m_variables.empty())
        return;
    m_rows = other->m_rows;
    m_columns = other->m_columns;
    clearVariables();
    for (const auto& variable : other->m_variables) {
        auto copy = std::make_unique<CVes_Variable>();
        copy->set(variable.get());
        m_variables.push_back(std::move(copy));
    }
    m_percents = other->m_percents;
    padPercents();
    fitForm();
}

CVes_Variable* CVes_TableCover::getCurVar()
{
    if (m_curVar < 0 || m_curVar >= int(m_variables.size()))
        return nullptr;
    return m_variables[std::size_t(m_curVar)].get();
}

bool CVes_TableCover::HitTest(QPoint point, int& row, int& column)
{
    row = -1;
    column = -1;
    m_form->HitTest(point, row, column);
    return true;
}

void CVes_TableCover::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(kSchema) << std::int32_t(m_rows) << std::int32_t(m_columns)
           << std::int32_t(m_variables.size());
        for (const auto& variable : m_variables)
            variable->Serialize(ar);
        ar.writeCount(std::uint32_t(m_percents.size()));
        for (int percent : m_percents)
            ar << std::int32_t(percent);
        return;
    }

    const int schema = ar.readSchema(1, 2);
    std::int32_t rows = m_rows, columns = m_columns;
    if (schema == 2) {
        ar >> rows >> columns;
        checkSize(rows, kMaxRows, "cover row count out of range");
        checkSize(columns, kMaxColumns, "cover column count out of range");
    }
    const std::int32_t count = ar.readIntCount(kMinVariableBytes);
    std::vector<std::unique_ptr<CVes_Variable>> variables;
    variables.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i) {
        auto variable = std::make_unique<CVes_Variable>();
        variable->Serialize(ar);
        variables.push_back(std::move(variable));
    }
    QList<int> percents = m_percents;
    if (schema == 2) {
        percents.clear();
        const std::uint32_t n = ar.readCount(4);
        percents.reserve(qsizetype(n));
        for (std::uint32_t i = 0; i < n; ++i) {
            std::int32_t percent = 0;
            ar >> percent;
            platform::requireInRange(percent, 0, 100, "cover row share");
            percents.append(percent);
        }
    } else if (percents.size() < count && rows >= 1) {
        // The first covers kept no shares: every row gets an equal one.
        for (int i = 0; i < rows; ++i)
            percents.append(100 / rows);
    }

    m_rows = rows;
    m_columns = columns;
    m_variables = std::move(variables);
    m_percents = std::move(percents);
    padPercents();
    fitForm();
}

bool CVes_TableCover::saveToFile(const QString& path)
{
    return streamfile::save(path, [this](platform::Archive& ar) { Serialize(ar); });
}

bool CVes_TableCover::loadFromFile(const QString& path)
{
    CVes_TableCover read;
    if (!streamfile::load(path, [&read](platform::Archive& ar) { read.Serialize(ar); }))
        return false;
    copyFrom(&read);
    return true;
}

void CVes_TableCover::padPercents()
{
    // The page drawing reads one share per row of a cover that has texts; a
    // cover without texts gets its shares with its default rows.
    if (m_variables.empty())
        return;
    while (m_rows >= 1 && m_percents.size() < m_rows)
        m_percents.append(100 / m_rows);
}

void CVes_TableCover::fitForm()
{
    m_form->SetColumnCount(m_columns);
    m_form->SetRowCount(m_rows);
}
