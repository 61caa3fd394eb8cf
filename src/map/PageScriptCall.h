// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace zv {

// A call of a global function of the map page, read from a call text such
// as "javascript:positionChange('37.566500', '126.978000')".
struct PageScriptCall {
  QString functionName;
  QStringList arguments;
};

// Drops everything up to and including the first "javascript:", takes the
// trimmed text before the first '(' as the function name, and splits the
// rest on runs of space , ' " tab ( ) ; into arguments, dropping empty ones.
// Without a '(' the name is empty.
PageScriptCall ParsePageScriptCall(const QString& callText);

// JavaScript that calls the named global function with the arguments as
// string literals, only when the page defines such a function, and gives
// its result when that is a string and "" otherwise. Never throws in the
// page. Empty when the call has no function name.
QString PageScriptSource(const PageScriptCall& call);

}  // namespace zv
