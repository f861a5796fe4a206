// SPDX-License-Identifier: MIT
// The text of an INI settings file, as this program reads and edits it: lines
// that are blank, comments (";" or "#"), "[section]" headers or "key=value".
#pragma once

#include <QByteArray>
#include <QString>

namespace settingsfile {

// A file this large was not written by this program.
constexpr qint64 MaxFileBytes = 64 * 1024;

// Whether every line is one of those above, with no control characters: a
// file that is not could not have been written by this program.
bool isWellFormed(const QByteArray &content);

// The text after "key=" in the first such line of [section], trimmed; empty
// when there is none.
QString value(const QByteArray &content, const QString &section, const QString &key);

// The content with that value in place of the old one, or added at the end of
// [section], or in a new [section] at the end; every other line as it was.
QByteArray withValue(const QByteArray &content, const QString &section, const QString &key, const QString &value);

// Whether a value can stand on its line as it is, needing no escapes.
bool isPlainValue(const QString &value);

} // namespace settingsfile
