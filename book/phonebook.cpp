#include "book/phonebook.h"

#include "store/codepage.h"
#include "store/contacts.h"
#include "store/datafolder.h"
#include "store/merge.h"
#include "store/pendinggroups.h"
#include "store/storeerror.h"

using datafolder::DefaultGroup;

const QString PhoneBook::GroupFileMissing = QStringLiteral("Grup Dosyası Bulunamıyor");

PhoneBook::PhoneBook(QObject* parent) : QObject(parent), groupNames_(datafolder::defaultGroupList()) {}

QString PhoneBook::activeGroup() const { return groupNames_.text(0); }

QString PhoneBook::activeGroupPath() const { return datafolder::groupFilePath(activeGroup()); }

void PhoneBook::loadGroupList() {
    const QString listPath = datafolder::groupListPath();
    StringList names;
    names.load(listPath);
    pendinggroups::settleAtStart(names, listPath);  // what a killed copy left half-done
    groupNames_ = std::move(names);
    emit groupListChanged();
}

void PhoneBook::createDataFolder() {
    datafolder::createFolder(datafolder::path());
    const QString defaultPath = datafolder::groupFilePath(DefaultGroup);
    if (!datafolder::exists(defaultPath)) StringList().save(defaultPath);
}

void PhoneBook::activateGroup(const QString& group, bool writeGroupList) {
    StringList names = groupNames_;
    names.replace(0, codepage::encode(group));
    StringList lines;
    lines.load(datafolder::groupFilePath(group));
    if (writeGroupList) names.save(datafolder::groupListPath());
    setActive(std::move(lines), std::move(names));
}

void PhoneBook::activateGroup(const QString& group, const StringList& groupList) {
    StringList lines;
    lines.load(datafolder::groupFilePath(group));
    groupList.save(datafolder::groupListPath());
    setActive(std::move(lines), groupList);
    emit groupListChanged();
}

void PhoneBook::setActive(StringList lines, StringList names) {
    StringList index(true);
    rebuildNameIndex(lines, index);
    recordLines_ = std::move(lines);
    nameIndex_ = std::move(index);
    groupNames_ = std::move(names);
    emit activeGroupChanged();
}

void PhoneBook::setContacts(StringList lines, StringList index) {
    recordLines_ = std::move(lines);
    nameIndex_ = std::move(index);
    emit contactsChanged();
}

void PhoneBook::reload() {
    emit groupListChanged();
    const QString path = activeGroupPath();
    if (!datafolder::exists(path)) return;
    StringList lines;
    lines.load(path);
    if (lines.lines() == recordLines_.lines()) return;
    StringList index(true);
    rebuildNameIndex(lines, index);
    setContacts(std::move(lines), std::move(index));
}

std::optional<StringList> PhoneBook::groupLines(const QString& group) const {
    if (isActive(group)) return recordLines_;
    const QString path = datafolder::groupFilePath(group);
    if (!datafolder::exists(path)) return std::nullopt;
    StringList lines;
    lines.load(path);
    return lines;
}

PhoneBook::Saved PhoneBook::saveContact(const QByteArray& name, const QByteArray& surname, const QByteArray& number,
                                        int replacing) {
    StringList lines = recordLines_;
    StringList index = nameIndex_;
    if (replacing >= 0) {
        contacts::removeContact(lines, replacing);
        rebuildNameIndex(lines, index);
    }
    Saved saved;
    // the number is looked for among all lines, as the save always did
    if (const int i = lines.lookup(codepage::decode(number)); i >= 0) {
        saved.refused = true;
        saved.duplicate = {contacts::lineOrEmpty(lines, i - 2), contacts::lineOrEmpty(lines, i - 1),
                           contacts::lineOrEmpty(lines, i)};
        return saved;
    }
    saved.between = contacts::placeContact(lines, index, name, surname, number).between;
    recordLines_ = std::move(lines);
    nameIndex_ = std::move(index);
    writeContacts();
    return saved;
}

bool PhoneBook::deleteContact(const QString& number) {
    const int j = contacts::lookupNumberLine(recordLines_, number);
    if (j < 0) return false;
    contacts::removeContact(recordLines_, j);
    rebuildNameIndex(recordLines_, nameIndex_);  // before the write: a failed one must not leave it behind
    writeContacts();
    return true;
}

void PhoneBook::writeContacts() {
    try {
        recordLines_.save(activeGroupPath());
    } catch (const StoreError&) {
        emit contactsChanged();
        throw;
    }
    emit contactsChanged();
}

void PhoneBook::emptyGroup(const QString& group) {
    StringList().save(datafolder::groupFilePath(group));
    if (isActive(group)) setContacts(StringList(), StringList(true));
}

bool PhoneBook::makeGroupFile(const QString& group) {
    const QString path = datafolder::groupFilePath(group);
    pendinggroups::note(group);
    const bool there = datafolder::exists(path);
    if (!there) StringList().save(path);
    emit groupFileMade(group);
    return there;
}

bool PhoneBook::takeInGroupFile(const QString& from, const QString& group) {
    const QString target = datafolder::groupFilePath(group);
    if (target.isEmpty() || !pendinggroups::tryNote(group) || !datafolder::copyFile(from, target)) return false;
    emit groupFileMade(group);
    return true;
}

bool PhoneBook::removeGroupFile(const QString& group) {
    const QString path = datafolder::groupFilePath(group);
    if (!pendinggroups::tryNote(group) || (!datafolder::deleteFile(path) && datafolder::exists(path))) return false;
    emit groupFileRemoved(group);
    return true;
}

void PhoneBook::importInto(const QString& group, const interchange::Plan& plan) {
    if (isActive(group)) {
        StringList lines = recordLines_;
        StringList index = nameIndex_;
        interchange::importIntoGroup(plan, activeGroupPath(), lines, index);
        if (plan.stored() > 0) setContacts(std::move(lines), std::move(index));
        return;
    }
    std::optional<StringList> lines = groupLines(group);
    if (!lines) throw StoreError::cannotOpen(datafolder::groupFilePath(group));
    StringList index(true);
    rebuildNameIndex(*lines, index);
    interchange::importIntoGroup(plan, datafolder::groupFilePath(group), *lines, index);
}

void PhoneBook::replaceGroupLines(const QString& group, const StringList& lines) {
    lines.save(datafolder::groupFilePath(group));
    if (!isActive(group)) return;
    StringList index(true);
    rebuildNameIndex(lines, index);
    setContacts(lines, std::move(index));
}

void PhoneBook::writeMergeResult(const QString& resultPath, const StringList& lines, const QString& newGroup) {
    StringList names = groupNames_;
    if (!newGroup.isEmpty() && names.lookup(newGroup) < 0) names.add(codepage::encode(newGroup));
    const bool listChanged = names.count() != groupNames_.count();
    try {
        if (listChanged) pendinggroups::note(newGroup);
        merge::writeResult(resultPath, lines, datafolder::groupListPath(), names);
    } catch (const StoreError&) {
        if (listChanged) pendinggroups::forgetSettled(groupNames_);
        throw;
    }
    groupNames_ = std::move(names);
    if (listChanged) pendinggroups::forgetSettled(groupNames_);
    if (resultPath == activeGroupPath()) {
        StringList index(true);
        rebuildNameIndex(lines, index);
        setContacts(lines, std::move(index));
    }
    if (listChanged) emit groupListChanged();
}

void PhoneBook::handOver(const QString& name, const QString& surname, const QString& number, bool prepareNext) {
    emit contactHandedOver(name, surname, number, prepareNext);
}
