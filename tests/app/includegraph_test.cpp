// Each source folder depends only on the folders below it: no chain of
// #include "…" lines leads from a folder back to itself. A loop is named
// with the folders it runs through and an include line of each step.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

// The folders of the program's sources (tests, benchmarks and fuzz targets
// may reach any of them).
const QStringList kSourceRoots{"platform", "envora", "widgara", "core", "grid",
                               "shapeui",  "tables", "app",     "tools"};

// Folder → the folders its files include from, each with one include line
// that shows it ("tables/barlist/setuptable.h: tables/quantity/rulessheet.h").
using IncludeGraph = std::map<QString, std::map<QString, QString>>;

// A shortest chain of folders that leads from one back to itself, the first
// folder repeated at its end; none when the graph has no loop. Folders are
// tried in name order, so the same loop is named the same way every time.
std::optional<QStringList> findLoop(const IncludeGraph& graph)
{
    std::optional<QStringList> shortest;
    for (const auto& [start, targets] : graph) {
        // Breadth first from `start` back to it.
        std::map<QString, QString> cameFrom;
        std::vector<QString> frontier{start};
        bool found = false;
        while (!frontier.empty() && !found) {
            std::vector<QString> next;
            for (const QString& folder : frontier) {
                const auto edges = graph.find(folder);
                if (edges == graph.end())
                    continue;
                for (const auto& [target, line] : edges->second) {
                    if (target == start) {
                        cameFrom[start] = folder;
                        found = true;
                        break;
                    }
                    if (cameFrom.emplace(target, folder).second)
                        next.push_back(target);
                }
                if (found)
                    break;
            }
            frontier = std::move(next);
        }
        if (!found)
            continue;
        QStringList loop{start};
        for (QString at = cameFrom[start]; at != start; at = cameFrom[at])
            loop.prepend(at);
        loop.prepend(start);
        if (!shortest || loop.size() < shortest->size())
            shortest = loop;
    }
    return shortest;
}

// The loop with an include line of each step, one step a line.
std::string described(const QStringList& loop, const IncludeGraph& graph)
{
    QString text = loop.join(QStringLiteral(" → "));
    for (qsizetype i = 0; i + 1 < loop.size(); ++i)
        text += u"\n  " + graph.at(loop[i]).at(loop[i + 1]);
    return text.toStdString();
}

// The include graph of the folders under `root`'s source folders: an edge
// for every #include "folder/file" of an existing file in another folder.
IncludeGraph readIncludeGraph(const QString& root)
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    const QDir top(root);
    IncludeGraph graph;
    for (const QString& sourceRoot : kSourceRoots) {
        QDirIterator it(top.filePath(sourceRoot), {"*.h", "*.cpp"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString relative = top.relativeFilePath(path);
            const QString folder = QFileInfo(relative).path();
            auto matches = include.globalMatch(QString::fromUtf8(file.readAll()));
            while (matches.hasNext()) {
                const QString included = matches.next().captured(1);
                const QString target = QFileInfo(included).path();
                if (target == QStringLiteral(".") || target == folder || !top.exists(included))
                    continue;
                graph[folder].emplace(target, relative + u": " + included);
            }
        }
    }
    return graph;
}

TEST(IncludeGraph, NoFolderReachesItselfThroughItsIncludes)
{
    const IncludeGraph graph = readIncludeGraph(QStringLiteral(RODO_SOURCE_DIR));
    // The scan saw the program's folders and the includes between them.
    ASSERT_TRUE(graph.count(QStringLiteral("tables/barlist")));
    ASSERT_TRUE(graph.at(QStringLiteral("app/shell")).count(QStringLiteral("app/documents")));
    const std::optional<QStringList> loop = findLoop(graph);
    EXPECT_FALSE(loop) << "folders that include each other: " << described(*loop, graph);
}

// The loop finder on small graphs of its own.
struct LoopCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> edges;
    const char* loop; // "" for none
};

class IncludeLoops : public ::testing::TestWithParam<LoopCase> {};

TEST_P(IncludeLoops, AreFoundAndNamedByTheirFolders)
{
    const LoopCase& c = GetParam();
    IncludeGraph graph;
    for (const auto& [from, to] : c.edges)
        graph[QString::fromUtf8(from)].emplace(QString::fromUtf8(to), QStringLiteral("%1 → %2").arg(from, to));
    const std::optional<QStringList> loop = findLoop(graph);
    EXPECT_EQ(loop ? loop->join(u' ').toStdString() : std::string(), c.loop);
}

INSTANTIATE_TEST_SUITE_P(
    Graphs, IncludeLoops,
    ::testing::Values(
        LoopCase{"Layers", {{"app", "tables"}, {"tables", "core"}, {"app", "core"}}, ""},
        LoopCase{"TwoFolders", {{"a", "b"}, {"b", "a"}}, "a b a"},
        LoopCase{"ThroughAThird", {{"a", "b"}, {"b", "c"}, {"c", "a"}, {"c", "d"}}, "a b c a"},
        LoopCase{"BelowALayer", {{"top", "x"}, {"x", "y"}, {"y", "x"}}, "x y x"},
        LoopCase{"ShortestOfTwo", {{"a", "b"}, {"b", "c"}, {"c", "a"}, {"b", "a"}}, "a b a"},
        LoopCase{"DiamondNoLoop", {{"a", "b"}, {"a", "c"}, {"b", "d"}, {"c", "d"}}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
