// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/PageScriptCall.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace zv {

namespace {

bool IsArgumentSeparator(QChar c) {
  switch (c.unicode()) {
    case ' ': case ',': case '\'': case '"': case '\t': case '(': case ')': case ';':
      return true;
    default:
      return false;
  }
}

QStringList SplitArguments(const QString& text) {
  QStringList tokens;
  QString current;
  for (const QChar c : text) {
    if (!IsArgumentSeparator(c)) {
      current.append(c);
    } else if (!current.isEmpty()) {
      tokens.append(current);
      current.clear();
    }
  }
  if (!current.isEmpty()) tokens.append(current);
  return tokens;
}

// A JSON string is a JavaScript string literal with every character that
// needs it escaped.
QString JsStringLiteral(const QString& text) {
  const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(json.mid(1, json.size() - 2));
}

}  // namespace

PageScriptCall ParsePageScriptCall(const QString& callText) {
  static const QString kPrefix = QStringLiteral("javascript:");
  PageScriptCall call;
  QString rest = callText;
  const qsizetype prefixAt = rest.indexOf(kPrefix);
  if (prefixAt >= 0) rest = rest.mid(prefixAt + kPrefix.size());
  const qsizetype open = rest.indexOf(QLatin1Char('('));
  if (open < 0) return call;
  call.functionName = rest.left(open).trimmed();
  call.arguments = SplitArguments(rest.mid(open + 1));
  return call;
}

QString PageScriptSource(const PageScriptCall& call) {
  if (call.functionName.isEmpty()) return {};
  QStringList literals;
  for (const QString& argument : call.arguments) literals.append(JsStringLiteral(argument));
  return QStringLiteral(
             "(function () {"
             " try {"
             "  var f = window[%1];"
             "  if (typeof f !== 'function') return '';"
             "  var r = f.call(window, %2);"
             "  return typeof r === 'string' ? r : '';"
             " } catch (e) { return ''; }"
             "})()")
      .arg(JsStringLiteral(call.functionName), literals.join(QStringLiteral(", ")));
}

}  // namespace zv
