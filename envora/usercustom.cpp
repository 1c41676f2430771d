#include "envora/usercustom.h"

#include "envora/settings.h"

using envora::UserHabits;

namespace {

int habit(int UserHabits::*field)
{
    return envora::currentSettings().habits.*field;
}

bool setHabit(int UserHabits::*field, int value)
{
    return envora::updateSettings([&](envora::Settings& s) { s.habits.*field = value; });
}

bool setFlag(int UserHabits::*field, int value)
{
    return setHabit(field, value != 0 ? 1 : 0);
}

} // namespace

int Info_GetUserCustomSteelSelectMode() { return habit(&UserHabits::steelSelectMode); }
bool Info_SetUserCustomSteelSelectMode(int mode) { return setFlag(&UserHabits::steelSelectMode, mode); }

int Info_GetUserCustomTableEditMode() { return habit(&UserHabits::tableEditMode); }
bool Info_SetUserCustomTableEditMode(int mode) { return setFlag(&UserHabits::tableEditMode, mode); }

int Info_UserCustomContentIsClude(int bit)
{
    const int content = habit(&UserHabits::content);
    if (bit == 0)
        return content == 0 ? 1 : 0;
    return (content & bit) != 0 ? 1 : 0;
}
bool Info_UserCustomSetContent(int content) { return setHabit(&UserHabits::content, content); }

int Info_UserCustomGetGradeMode() { return habit(&UserHabits::gradeMode); }
bool Info_UserCustomSetGradeMode(int mode) { return setFlag(&UserHabits::gradeMode, mode); }

int Info_UserCustomGetEleNum() { return habit(&UserHabits::elementCount); }
bool Info_UserCustomSetEleNum(int count) { return setHabit(&UserHabits::elementCount, count); }

int Info_UserCustomMidConnectStat() { return habit(&UserHabits::midConnectStat); }
bool Info_UserCustomSetMidConnectStat(int stat) { return setFlag(&UserHabits::midConnectStat, stat); }
int Info_UserCustomMidConectStyle() { return habit(&UserHabits::midConnectStyle); }
bool Info_UserCustomSetMidConnectStyle(int style) { return setHabit(&UserHabits::midConnectStyle, style); }
int Info_UserCustomMidConnectDingchi() { return habit(&UserHabits::midConnectDingchi); }
bool Info_UserCustomSetMidConnectDingChi(int length) { return setHabit(&UserHabits::midConnectDingchi, length); }

int Info_UserCustomGenshuJinwei() { return habit(&UserHabits::genshuJinwei); }
bool Info_UserCustomSetGenshuJinwei(int digit) { return setHabit(&UserHabits::genshuJinwei, digit); }

int Info_UserCustomShowDingChi() { return habit(&UserHabits::showDingChi); }
bool Info_UserCustomSetShowDingChi(int show) { return setFlag(&UserHabits::showDingChi, show); }

int Info_UserCustomGunLun() { return habit(&UserHabits::gunLun); }
bool Info_UserCustomSetGunLun(int action) { return setHabit(&UserHabits::gunLun, action); }
int Info_UserCustomShiftGunLun() { return habit(&UserHabits::shiftGunLun); }
bool Info_UserCustomSetShiftGunLun(int action) { return setHabit(&UserHabits::shiftGunLun, action); }
int Info_UserCustomCtrlGunLun() { return habit(&UserHabits::ctrlGunLun); }
bool Info_UserCustomSetCtrlGunLun(int action) { return setHabit(&UserHabits::ctrlGunLun, action); }

int Info_UserCustomSteelRecordType() { return habit(&UserHabits::steelRecordType); }
bool Info_UserCustomSetSteelRecordType(int type) { return setFlag(&UserHabits::steelRecordType, type); }

int Info_UserCustomSteelGroupShow() { return habit(&UserHabits::steelGroupShow); }
bool Info_UserCustomSetSteelGroupShow(int show) { return setFlag(&UserHabits::steelGroupShow, show); }

int Info_UserCustomTableBkColor() { return habit(&UserHabits::tableBkColor); }
bool Info_UserCustomSetTableBkColor(int colour) { return setHabit(&UserHabits::tableBkColor, colour); }

std::uint32_t Info_UserCustomGetTitleBk() { return envora::currentSettings().habits.titleBk; }
bool Info_UserCustomSetTitleBk(std::uint32_t colour)
{
    return envora::updateSettings([&](envora::Settings& s) { s.habits.titleBk = colour; });
}
