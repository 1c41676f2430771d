#pragma once
// How the workbook's readers and writers give up: the reason goes to the
// caller when it asks for one, and the step answers false.

#include <QString>

namespace platform::xlsx {

inline bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace platform::xlsx
