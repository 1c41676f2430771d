#pragma once
// The folder every data file of the program lies in, and folder creation
// with the program's own failure message.

#include <QString>

// The data folder, with a trailing '/'.
QString GetRODOFilePath();

// Makes sure the folder `path` exists (one level: its parent must exist).
// Something of that name that is not a folder is deleted first. Shows
// "不能创建目录%s" and answers 0 when the folder could not be made.
int Ves_CreateDirectory(QString path);
