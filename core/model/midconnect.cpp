#include "core/model/midconnect.h"

#include "core/model/connecttext.h"
#include "envora/settings.h"
#include "envora/usercustom.h"
#include "platform/archive.h"

#include <algorithm>

CVes_MidConnect::CVes_MidConnect() : CVes_MidConnect(envora::currentSettings().habits) {}

// The three defaults from one look at the settings: a long bar list makes
// a few joints for every bar it reads.
CVes_MidConnect::CVes_MidConnect(const envora::UserHabits& habits)
    : style(habits.midConnectStyle),
      stat(habits.midConnectStat),
      fixedLength(habits.midConnectDingchi)
{
}

bool CVes_MidConnect::operator==(const CVes_MidConnect& other) const
{
    return style == other.style && valueB == other.valueB && valueA == other.valueA
        && valueC == other.valueC && stat == other.stat && fixedLength == other.fixedLength
        && autoCount == other.autoCount;
}

bool CVes_MidConnect::compareReal(const CVes_MidConnect& other) const
{
    if (style != other.style || valueA != other.valueA || valueC != other.valueC)
        return false;
    return style < 2 || style > 5 || valueB == other.valueB;
}

QString CVes_MidConnect::getConnectString() const
{
    return barcore_getConnectString(style);
}

int CVes_MidConnect::autoCalNum(int length) const
{
    // A stock length of 0 or less cannot divide a bar into pieces.
    if (!stat || fixedLength <= 0 || length <= 0)
        return 0;
    const int count = length / fixedLength;
    // A remainder of 10 mm or less is taken up by the joints themselves.
    return length % fixedLength > 10 ? count : std::max(count - 1, 0);
}

void CVes_MidConnect::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << 3 << style << valueA << valueB << valueC << stat << countText << autoCount
           << fixedLength;
        return;
    }
    const int schema = ar.readSchema(1, 3);
    switch (schema) {
    case 3:
        ar >> style >> valueA >> valueB >> valueC >> stat >> countText >> autoCount >> fixedLength;
        break;
    case 2:
        ar >> style >> valueA >> valueB >> stat >> countText >> autoCount >> fixedLength;
        valueC = 1;
        break;
    case 1:
        ar >> style >> valueA >> valueB >> stat >> countText;
        if (stat) {
            autoCount = 0;
        } else {
            // Old files counted joints automatically with straight-thread couplers.
            autoCount = 1;
            countText = QStringLiteral("0");
            stat = 1;
            valueC = 1;
            style = 8;
        }
        break;
    }
}
