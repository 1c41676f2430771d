// Numbering over many made-up lists: the data check's small lists full of
// equal bars under other numbers, varying bars, typed lengths near the
// computed ones and unprocessed bars, and a generated list of a thousand
// bars; each also with numbers taken away, set to "0" or to letters and
// rows locked. Numbered by every combination of sharing, scope and
// continuity, each list must get the numbers the fixture holds, and be the
// same list to the byte.
//
// After an intended change of numbering the fixture is written anew by
// running this test with RODO_RECORD_NUMBERING_FIXTURE set to its path.

#include "checklists.h"

#include "platform/archive.h"
#include "tables/barlist/setuptable.h"
#include "tests/support/generatedbarlist.h"
#include "tests/support/recordinghost.h"

#include <QCryptographicHash>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <random>

namespace {

using Line = CVes_SetupTableLine;

struct NumberedList {
    QString name;
    std::function<void(CVes_SetupTable&)> fill;
};

// Numbers as a user leaves them half done: some taken away, some "0", some
// of letters, some rows locked and empty rows between.
void leaveNumbersHalfDone(CVes_SetupTable& list, unsigned seed)
{
    std::mt19937 rng(seed);
    for (int i = 0; i < list.lines().size(); ++i) {
        auto* line = dynamic_cast<Line*>(list.lines().at(i));
        CVes_Steel* bar = line ? line->getSetupSteel() : nullptr;
        if (!bar || line->isNull())
            continue;
        switch (rng() % 12) {
        case 0:
        case 1:
        case 2:
        case 3: bar->number.clear(); break;
        case 4: bar->number = QStringLiteral("0"); break;
        case 5: line->setLock(1); break;
        case 6: bar->number = QStringLiteral("A%1").arg(rng() % 9); break;
        default: break;
        }
    }
    list.refreshCurPage();
}

// Typed lengths that are no length: not a number, infinite, -0 and beyond
// any bar, as a damaged file may hold them.
void giveOddLengths(CVes_SetupTable& list, unsigned seed)
{
    std::mt19937 rng(seed);
    const float odd[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity(), -0.0f, 3.0e38f};
    for (CVes_TableBaseLine* row : list.lines()) {
        auto* line = dynamic_cast<Line*>(row);
        CVes_Steel* bar = line && !line->isNull() ? line->getSetupSteel() : nullptr;
        if (!bar || rng() % 3 != 0)
            continue;
        bar->calcLength = 0;
        bar->length = odd[rng() % std::size(odd)];
    }
}

std::vector<NumberedList> lists()
{
    std::vector<NumberedList> all;
    for (unsigned seed = 1; seed <= 16; ++seed) {
        all.push_back({QStringLiteral("check%1").arg(seed),
                       [seed](CVes_SetupTable& l) { test::CheckList(seed).fill(l); }});
        all.push_back({QStringLiteral("check%1-half-done").arg(seed), [seed](CVes_SetupTable& l) {
                           test::CheckList(seed).fill(l);
                           leaveNumbersHalfDone(l, seed);
                       }});
    }
    for (unsigned seed = 1; seed <= 4; ++seed) {
        all.push_back({QStringLiteral("check%1-odd-lengths").arg(seed), [seed](CVes_SetupTable& l) {
                           test::CheckList(seed).fill(l);
                           giveOddLengths(l, seed);
                           leaveNumbersHalfDone(l, seed + 100);
                       }});
    }
    all.push_back({QStringLiteral("generated1000"),
                   [](CVes_SetupTable& l) { test::fillGeneratedList(l, 20, 50); }});
    all.push_back({QStringLiteral("generated1000-half-done"), [](CVes_SetupTable& l) {
                       test::fillGeneratedList(l, 20, 50);
                       leaveNumbersHalfDone(l, 7);
                   }});
    return all;
}

QByteArray sha1(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

// The bar numbers in row order ("-" for an empty one), written out when
// short, as their digest when long.
QString numbersOf(CVes_SetupTable& list)
{
    QStringList numbers;
    for (CVes_TableBaseLine* row : list.lines()) {
        auto* line = dynamic_cast<Line*>(row);
        if (const CVes_Steel* bar = line && !line->isNull() ? line->getSetupSteel() : nullptr)
            numbers << (bar->number.isEmpty() ? QStringLiteral("-") : bar->number);
    }
    const QString joined = numbers.join(u',');
    return numbers.size() <= 40 ? joined : QString::fromLatin1("sha1:" + sha1(joined.toUtf8()));
}

// What the file stores of the rows; the list's own settings come from the
// data folder, which other tests may have changed.
QByteArray storedBytes(CVes_SetupTable& list)
{
    platform::Archive ar;
    for (CVes_TableBaseLine* row : list.lines())
        row->Serialize(ar);
    return ar.data();
}

// One line a list and command: the list, share/all/continuous, the numbers
// and the digest of the list's stored bytes.
QStringList numberAll()
{
    QStringList lines;
    for (const NumberedList& numbered : lists()) {
        for (int command = 0; command < 8; ++command) {
            const int share = command >> 2 & 1;
            const int all = command >> 1 & 1;
            const int continuous = command & 1;
            CVes_SetupTable list;
            numbered.fill(list);
            list.NumberSteel(share, all, continuous);
            lines << QStringLiteral("%1 %2%3%4 %5 %6")
                         .arg(numbered.name)
                         .arg(share)
                         .arg(all)
                         .arg(continuous)
                         .arg(numbersOf(list), QString::fromLatin1(sha1(storedBytes(list))));
        }
    }
    return lines;
}

TEST(NumberingLists, NumbersAndListsStayThoseOfTheFixture)
{
    // A new list is dated the day it is made.
    test::HostScope host;
    host->setNow(QDateTime(QDate(2026, 3, 14), QTime(9, 30)));
    const QStringList numbered = numberAll();
    if (const QByteArray record = qgetenv("RODO_RECORD_NUMBERING_FIXTURE"); !record.isEmpty()) {
        QFile out(QString::fromLocal8Bit(record));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(numbered.join(QLatin1Char('\n')).toUtf8() + '\n');
    }
    QFile file(QStringLiteral(RODO_FIXTURES_DIR "/numbering_lists.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList expected =
        QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(numbered.size(), expected.size());
    for (qsizetype i = 0; i < numbered.size(); ++i)
        EXPECT_EQ(numbered[i].toStdString(), expected[i].toStdString());
}

// Numbering behind the progress window: worked out on a working copy,
// handed to the rows afterwards; the same list as numbering in place, or,
// cancelled, the list untouched.
struct BehindCase {
    const char* name;
    int share, all, continuous;
};

class NumberingBehindProgress : public ::testing::TestWithParam<BehindCase> {
protected:
    test::HostScope host;
};

TEST_P(NumberingBehindProgress, GivesTheListNumberingInPlaceGives)
{
    const BehindCase& c = GetParam();
    for (const NumberedList& numbered : lists()) {
        if (!numbered.name.endsWith(QLatin1String("half-done")))
            continue;
        CVes_SetupTable inPlace;
        numbered.fill(inPlace);
        inPlace.NumberSteel(c.share, c.all, c.continuous);
        CVes_SetupTable behind;
        numbered.fill(behind);
        behind.numberBehindProgress(c.share, c.all, c.continuous);
        EXPECT_EQ(storedBytes(behind), storedBytes(inPlace)) << numbered.name.toStdString();
        EXPECT_EQ(behind.isModified(), inPlace.isModified()) << numbered.name.toStdString();
        EXPECT_EQ(behind.CanUndo(), inPlace.CanUndo()) << numbered.name.toStdString();
    }
    ASSERT_FALSE(host->progressRuns().empty());
    EXPECT_TRUE(host->progressRuns().back().cancellable);
}

TEST_P(NumberingBehindProgress, CancelledLeavesTheListAsItWas)
{
    const BehindCase& c = GetParam();
    CVes_SetupTable list;
    test::fillGeneratedList(list, 4, 20);
    leaveNumbersHalfDone(list, 3);
    list.setModified(0);
    const QByteArray before = storedBytes(list);
    const int undo = list.CanUndo();
    host->scriptProgressCancel();
    list.numberBehindProgress(c.share, c.all, c.continuous);
    EXPECT_EQ(storedBytes(list), before);
    EXPECT_EQ(list.isModified(), 0);
    EXPECT_EQ(list.CanUndo(), undo);
}

INSTANTIATE_TEST_SUITE_P(Commands, NumberingBehindProgress,
                         ::testing::Values(BehindCase{"AllShared", 1, 1, 1}, BehindCase{"AllOwn", 0, 1, 1},
                                           BehindCase{"Unnumbered", 1, 0, 1},
                                           BehindCase{"PerElement", 0, 1, 0},
                                           BehindCase{"PerElementShared", 1, 1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
