#pragma once
// The files every document reads besides its own: the system shape library
// ("STeelStyleSys.jlb") and the raw-stock file ("KUCUN.xml"). A damaged one
// leaves every bar without its shape, or every summary and cutting list
// without the stock lengths and prices, and nothing else would say why.

// Tells the user about each of the two files that exists and cannot be
// read, once for each state of the file (a file changed since is checked
// again). UI thread only.
void reportDamagedSharedFiles();
