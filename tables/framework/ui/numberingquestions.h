#pragma once
// What the numbering commands of the bar sheets ask before they change the
// numbers: true when the user answered Yes.

#include "platform/hostservices.h"

#include <QString>

namespace numbering {

inline bool confirmRenumber()
{
    return platform::ask(QStringLiteral(
                             "\n此命令将把钢筋编号列所有内容清空并自动重新编号，请确认是否进行此操作？"),
                         platform::Buttons::YesNo)
           == platform::Answer::Yes;
}

inline bool confirmClear()
{
    return platform::ask(QStringLiteral("\n此命令将把钢筋编号列所有内容清空，请确认是否进行此操作？"),
                         platform::Buttons::YesNo)
           == platform::Answer::Yes;
}

} // namespace numbering
