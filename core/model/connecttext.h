#pragma once
// The names of the connection types and the texts that tables, summaries and
// the property pane show for a joint.

#include <QString>

// "非连接端", "绑扎搭接", … for types 0-8; empty otherwise.
QString barcore_getConnectString(int type);
// The one-character forms "非", "绑", …; empty outside 0-8.
QString barcore_getConnectString2(int type);
// The name and the joint's value text: `a` and `c` are the diameters of the
// two bars joined, `b` and `d` their thread directions (1 plain).
QString barcore_getConnectStringAll(int type, int a, int b, int c, int d);
QString barcore_getConnectStringAll2(int type, int a, int b, int c, int d);

// How many connection types there are (0-8), and how many kinds a connection
// mark offers: the same nine, plus kind 9, the reversed-thread coupler.
constexpr int kConnectTypeCount = 9;
constexpr int kConnectMarkKindCount = 10;

// A mark's kind name: the connection type's name, except that a mark tells
// the straight-thread couplers apart by their thread hand ("正丝套筒" for 8,
// "反丝套筒" for 9). Empty outside 0-9.
QString connectMarkKindName(int kind);
// Its one-character form ("直反" for kind 9); empty outside 0-9.
QString connectMarkShortName(int kind);
