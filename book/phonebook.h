#pragma once
// The phone book every window shares: the active group's contacts in memory
// (RecordLines, in name order, and NameIndex, their sorted names), the group
// list (GroupNames: line 0 the active group, then every group), and the
// operations that change them.
//
// An operation on groups and lists reads and writes its files first and
// changes memory only once they are written, so a failure (a StoreError,
// thrown on) leaves the phone book as it was. The save, the correction and
// the delete of one contact change RecordLines first and then write them,
// as the main window always has: a failed write leaves the change in memory,
// and the next write of the group carries it. What changed is told by a
// signal; the windows listen to them, and none calls another to make it
// show the change.

#include "store/interchange.h"
#include "store/stringlist.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class PhoneBook : public QObject {
    Q_OBJECT
public:
    explicit PhoneBook(QObject* parent = nullptr);

    const StringList& recordLines() const { return recordLines_; }
    const StringList& nameIndex() const { return nameIndex_; }
    const StringList& groupNames() const { return groupNames_; }
    // GroupNames line 0, and its file.
    QString activeGroup() const;
    QString activeGroupPath() const;
    bool isActive(const QString& group) const { return group == activeGroup(); }

    // The message of a group whose file is not there.
    static const QString GroupFileMissing;  // "Grup Dosyası Bulunamıyor"

    // Start-up. The group list file read, and settled with the groups a
    // killed copy left pending (store/pendinggroups.h); GroupNames holds it.
    void loadGroupList();
    // The first start: the DataFolder made, and the default group's empty
    // file unless it is there (the group list alone may have gone: the
    // default group's contacts are kept).
    void createDataFolder();

    // Makes the group the active one: its file becomes RecordLines, NameIndex
    // holds its names and GroupNames line 0 names it; with writeGroupList the
    // group list file is written too.
    void activateGroup(const QString& group, bool writeGroupList = false);
    // The same with a whole new group list, written to its file first.
    void activateGroup(const QString& group, const StringList& groupList);
    // The active group's file read again, when it is there (another window
    // may have written it); contactsChanged only when its lines differ. The
    // group list's users are told to show it again.
    void reload();

    // A group's lines: the active group's from memory, any other's from its
    // file; none when the group has no file. A file that cannot be read throws.
    std::optional<StringList> groupLines(const QString& group) const;

    // The save of a contact in name order, in memory and then in the file.
    // Refused, and nothing stored, when a
    // line of the group (any line, without regard to case) equals its number:
    // `duplicate` holds that line and the two before it, as texts ("" for a
    // line before the first). `replacing` is the number line of a contact
    // that the new one takes the place of (a correction): it goes with the
    // same write, and stays when the new one is refused.
    struct Saved {
        bool refused = false;
        QStringList duplicate;
        bool between = false;  // placed after the first and before the last name
    };
    Saved saveContact(const QByteArray& name, const QByteArray& surname, const QByteArray& number,
                      int replacing = -1);
    // The contact with that number (the first whose number line equals it)
    // goes, from memory and then from the file; false when the number is no
    // contact's.
    bool deleteContact(const QString& number);

    // A group's file emptied; the active group's contacts go from memory too.
    void emptyGroup(const QString& group);
    // A new group's file, named among the pending groups first (it is listed
    // when the group window closes); a file of that name that is there
    // already keeps its contacts. Returns whether it was there.
    bool makeGroupFile(const QString& group);
    // A group file copied in under the group's name, named among the pending
    // groups first; false when it could not be (nothing changed then but a
    // pending name, which the next start settles).
    bool takeInGroupFile(const QString& from, const QString& group);
    // The group's file removed, named among the pending groups first (it
    // leaves the list when the group window closes); false when it could not.
    bool removeGroupFile(const QString& group);

    // An import planned on groupLines(group), written into the group's file
    // in one write (interchange::importIntoGroup).
    void importInto(const QString& group, const interchange::Plan& plan);

    // A group's lines replaced by others that the caller made (three lines a
    // contact, in name order): written over the group's file, and, for the
    // active group, put in memory with contactsChanged. A failed write
    // changes nothing.
    void replaceGroupLines(const QString& group, const StringList& lines);

    // A merge's result: the group's file and the group list (GroupNames, with
    // newGroup added when it is not listed) written, a new group named among
    // the pending groups until the list names it.
    void writeMergeResult(const QString& resultPath, const StringList& lines, const QString& newGroup);

    // A contact handed to the main window's fields from another window; with
    // prepareNext, "Sonraki" goes on from the name the fields showed before.
    void handOver(const QString& name, const QString& surname, const QString& number, bool prepareNext = false);

signals:
    // RecordLines changed; the active group is the same.
    void contactsChanged();
    // Another group, or the same one read anew, became the active one.
    void activeGroupChanged();
    // GroupNames changed beyond line 0, or a window was told to show it anew.
    void groupListChanged();
    void contactHandedOver(const QString& name, const QString& surname, const QString& number, bool prepareNext);
    // A group's file was made or taken in (the group window lists it), or
    // removed (it leaves the list).
    void groupFileMade(const QString& group);
    void groupFileRemoved(const QString& group);

private:
    void setActive(StringList lines, StringList names);
    void setContacts(StringList lines, StringList index);
    // RecordLines, changed already, written over the active group's file.
    void writeContacts();

    StringList recordLines_;
    StringList nameIndex_{true};
    StringList groupNames_;
};
