// SPDX-License-Identifier: MIT
#include "platform/SettingsFile.h"

#include <QList>

#include <algorithm>

namespace settingsfile {
namespace {

bool isControl(char c) { return (uchar(c) < 0x20 && c != '\t' && c != '\r') || c == 0x7f; }

bool isSection(const QByteArray &line) { return line.startsWith('[') && line.endsWith(']'); }

QByteArray sectionName(const QByteArray &line) { return line.mid(1, line.size() - 2).trimmed(); }

// The key of a "key=value" line, empty for any other line.
QByteArray keyOf(const QByteArray &line)
{
    const qsizetype equals = line.indexOf('=');
    return equals > 0 ? line.left(equals).trimmed() : QByteArray();
}

bool isComment(const QByteArray &line) { return line.startsWith(';') || line.startsWith('#'); }

// Each line keeps its own end-of-line; the last one may have none.
QList<QByteArray> linesOf(const QByteArray &content)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        end = end < 0 ? content.size() : end + 1;
        lines.append(content.mid(start, end - start));
        start = end;
    }
    return lines;
}

// The index of the line holding the key in the section, or of the line after
// which it is to be added (-1 for the very start); found tells which.
struct Place
{
    qsizetype index = -1;
    bool found = false;
    bool sectionSeen = false;
};

Place placeOf(const QList<QByteArray> &lines, const QByteArray &section, const QByteArray &key)
{
    Place place;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (isSection(line)) {
            if (place.sectionSeen && inSection)
                return place; // The first [section] ends here.
            inSection = sectionName(line) == section;
            place.sectionSeen = place.sectionSeen || inSection;
            if (inSection)
                place.index = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!isComment(line) && keyOf(line) == key) {
            place.index = i;
            place.found = true;
            return place;
        }
        if (!line.isEmpty())
            place.index = i;
    }
    return place;
}

} // namespace

bool isWellFormed(const QByteArray &content)
{
    for (const QByteArray &raw : linesOf(content)) {
        const QByteArray line = raw.trimmed();
        const bool known = line.isEmpty() || isComment(line) || isSection(line) || !keyOf(line).isEmpty();
        if (!known || std::any_of(line.begin(), line.end(), isControl))
            return false;
    }
    return true;
}

QString value(const QByteArray &content, const QString &section, const QString &key)
{
    const QList<QByteArray> lines = linesOf(content);
    const Place place = placeOf(lines, section.toUtf8(), key.toUtf8());
    if (!place.found)
        return QString();
    const QByteArray line = lines[place.index].trimmed();
    return QString::fromUtf8(line.mid(line.indexOf('=') + 1).trimmed());
}

QByteArray withValue(const QByteArray &content, const QString &section, const QString &key, const QString &value)
{
    QList<QByteArray> lines = linesOf(content);
    // New and changed lines end as the file's first line does: a file edited
    // on Windows keeps its CR LF throughout.
    const QByteArray end = !lines.isEmpty() && lines.first().endsWith("\r\n") ? "\r\n" : "\n";
    const QByteArray keyText = key.toUtf8();
    const QByteArray entry = keyText + '=' + value.toUtf8() + end;
    const Place place = placeOf(lines, section.toUtf8(), keyText);
    if (!lines.isEmpty() && !lines.last().endsWith('\n'))
        lines.last().append(end);
    if (place.found) {
        const QByteArray &old = lines[place.index];
        lines[place.index] = old.left(old.indexOf(keyText)) + entry;
    } else if (place.sectionSeen) {
        lines.insert(place.index + 1, entry);
    } else {
        if (!lines.isEmpty())
            lines.append(end);
        lines.append('[' + section.toUtf8() + ']' + end);
        lines.append(entry);
    }
    return lines.join();
}

bool isPlainValue(const QString &value)
{
    const QByteArray text = value.toUtf8();
    return text == text.trimmed() && std::none_of(text.begin(), text.end(), isControl)
           && !text.contains('\t') && !text.contains('\r');
}

} // namespace settingsfile
