#include "store/pendinggroups.h"

#include "store/codepage.h"
#include "store/collation.h"
#include "store/datafolder.h"
#include "store/storeerror.h"
#include "store/textfile.h"

#include <QFileInfo>

namespace pendinggroups {

namespace {

// The line of the list that names the group, 1 or later; -1 when none does.
int listedAt(const StringList& groupList, const QByteArray& group) {
    for (int i = 1; i < groupList.count(); ++i)
        if (collation::equal(groupList.get(i), group)) return i;
    return -1;
}

bool fileThere(const QString& group) { return datafolder::exists(datafolder::groupFilePath(group)); }

bool settled(const StringList& groupList, const QString& group) {
    if (collation::equalText(group, datafolder::DefaultGroup)) return true;  // never leaves the list
    return (listedAt(groupList, codepage::encode(group)) >= 0) == fileThere(group);
}

void write(const QStringList& groups) {
    const QString file = path();
    if (groups.isEmpty()) {
        if (QFileInfo::exists(file)) datafolder::deleteFile(file);
        return;
    }
    QList<QByteArray> lines;
    for (const QString& g : groups) lines << codepage::encode(g);
    textfile::writeLines(file, lines);
}

}  // namespace

QString path() { return datafolder::companionFile(QStringLiteral("pending")); }

QStringList names() {
    QStringList groups;
    if (!QFileInfo::exists(path())) return groups;
    try {
        for (const QByteArray& line : textfile::readLines(path()))
            if (!line.isEmpty() && datafolder::namesGroupFile(codepage::decode(line))) groups << codepage::decode(line);
    } catch (const StoreError&) {
        groups.clear();
    }
    return groups;
}

void note(const QString& group) {
    QStringList groups = names();
    if (groups.contains(group)) return;
    groups << group;
    write(groups);
}

bool tryNote(const QString& group) {
    try {
        note(group);
    } catch (const StoreError&) {
        return false;
    }
    return true;
}

bool settle(StringList& groupList) {
    bool changed = false;
    if (groupList.isEmpty()) return false;  // no line 0: a list the start cannot use as it is
    for (const QString& group : names()) {
        const QByteArray name = codepage::encode(group);
        const int at = listedAt(groupList, name);
        if (fileThere(group)) {
            if (at >= 0) continue;
            groupList.add(name);
            changed = true;
            continue;
        }
        const QByteArray defaultGroup = codepage::encode(datafolder::DefaultGroup);
        if (collation::equal(name, defaultGroup)) continue;
        if (at >= 0) {
            groupList.remove(at);
            changed = true;
        }
        if (!groupList.isEmpty() && collation::equal(groupList.get(0), name)) {
            groupList.replace(0, defaultGroup);
            changed = true;
        }
    }
    return changed;
}

void forgetSettled(const StringList& written) {
    QStringList left;
    for (const QString& group : names())
        if (!settled(written, group)) left << group;
    try {
        write(left);
    } catch (const StoreError&) {
        // the names stay as they were: the next start settles them
    }
}

void settleAtStart(StringList& groupList, const QString& groupListPath) {
    if (names().isEmpty()) return;
    StringList settledList = groupList;
    if (settle(settledList)) {
        groupList = settledList;
        try {
            settledList.save(groupListPath);
        } catch (const StoreError&) {
            return;
        }
    }
    forgetSettled(settledList);
}

void settleAtStart(const QString& groupListPath) {
    if (names().isEmpty() || !datafolder::exists(groupListPath)) return;
    StringList groupList;
    try {
        groupList.load(groupListPath);
    } catch (const StoreError&) {
        return;
    }
    settleAtStart(groupList, groupListPath);
}

}  // namespace pendinggroups
