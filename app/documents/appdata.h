#pragma once
// The per-user application-data folder and the folders built under it.

#include <QString>

// Stores the user's application-data folder in `path` and answers 1; answers
// 0 and leaves `path` alone when there is none. Under `$RODO_HOME` (tests,
// portable installs) that folder is `$RODO_HOME` itself.
int getShellAppDataPath(QString& path);
// The application-data folder joined with the product's name "Rodo", made
// when missing (an existing folder is no error); empty, and nothing made,
// when there is no application-data folder.
QString getAppDataFolder();
// The bar-list template folder: getAppDataFolder() + "/模板/配料单", made
// when missing; empty when getAppDataFolder is.
QString GetSetupTemplateFolder();
// The processing-sheet template folder: getAppDataFolder() + "/模板/加工表".
QString GetProcessTemplateFolder();
// The quantity-sheet template folder: getAppDataFolder() + "/模板/算量表".
QString GetSLTemplateFolder();
