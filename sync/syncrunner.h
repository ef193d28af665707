#pragma once
// One sync of a group with its linked address book (synclink), in the
// background of the event loop: no call here blocks. The group's lines are
// read and written through the phone book, so every window shows the
// change at once. The sync state is written after each answer of the
// server: a sync stopped at any moment and run again leaves each contact once
// on each side and loses no edit.

#include "sync/davclient.h"
#include "sync/syncreport.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class PhoneBook;
class QByteArray;
namespace davxml {
struct Response;
}
namespace cardmap {
struct Read;
}

class SyncRunner : public QObject {
    Q_OBJECT
public:
    SyncRunner(PhoneBook& book, const QString& group, const QString& password, QObject* parent = nullptr);
    ~SyncRunner() override;

    // The user's choices for the conflicts of an earlier run, applied in this one.
    void setResolutions(const QList<Resolution>& resolutions);

    void start();
    // Stops at the next answer; what was done stays done and recorded.
    // finished() follows, with report().cancelled set.
    void cancel();
    // The answer to deletionNeedsConfirmation(): true goes on and deletes
    // those cards on the server; false ends the sync, nothing deleted there.
    void confirmDeletion(bool confirmed);

    bool isRunning() const;
    const SyncReport& report() const;

signals:
    // stage: a Turkish word for what is being done ("Değişiklikler alınıyor",
    // "Kartlar gönderiliyor", ...); total 0 when it is not known.
    void progress(const QString& stage, int done, int total);
    // Every contact synced last time is gone here (the group was emptied):
    // the sync waits for confirmDeletion() before it deletes those cards.
    void deletionNeedsConfirmation(int cards);
    void finished();

private:
    void begin();
    void listChanges(const QString& token, bool nextPart = false);
    void checkCtag();
    void listed(const QByteArray& body, const std::optional<QString>& sent);
    void fetchNext();
    void keepFetched(const davxml::Response& response);
    void decideAll();
    void applyHere();
    bool writeState();
    void sendNext();
    void send(int op);
    void opAnswered(int op, const DavClient::Answer& answer);
    void made(int op, const QByteArray& etag);
    void refetch(int op);
    void reconsider(int op, const QByteArray& bytes, const QByteArray& etag);
    void comeBack(int op, const cardmap::Read& read, const QByteArray& etag);
    void resend(int op);
    void opDone();
    void failWrites(const QString& failure);
    void finishWrites();
    void finish(const QString& failure);

    struct Private;
    Private* d;
};
