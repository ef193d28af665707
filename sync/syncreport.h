#pragma once
// What one sync did, as the window and the command line show it.

#include <QList>
#include <QString>
#include <QStringList>

struct SyncContact {
    QString name;
    QString surname;
    QString number;
};

struct SyncReport {
    enum class Side { Here, Server };
    enum class Kind {
        Added,    // made on that side
        Changed,  // changed on that side
        Deleted,  // deleted on that side
        LeftOut,  // a card the group cannot hold, left on the server untouched (reason says why)
    };
    struct Entry {
        Side side;
        Kind kind;
        SyncContact contact;
        // Why a card was left out, or what made the change ("sunucuda
        // silinmişti, yeniden yapıldı"); may be empty.
        QString reason;
    };
    // Changed on both sides since the last sync: neither was overwritten.
    struct Conflict {
        QString href;  // the card's, the key of its Resolution
        SyncContact here;
        SyncContact server;
    };

    QList<Entry> entries;
    QList<Conflict> conflicts;
    QString failure;  // the reason in Turkish when the sync could not be done; empty when it was
    bool cancelled = false;

    bool succeeded() const { return failure.isEmpty() && !cancelled; }
    int count(Side side, Kind kind) const;
    // A Turkish line for each entry and each conflict, as the command line
    // prints them.
    QStringList lines() const;
    // The counts, on one line ("Burada: 2 eklendi, ...").
    QString summary() const;
};

// The user's choice for a conflict, applied by the next run.
struct Resolution {
    enum class Take { Server, Here };
    QString href;
    Take take = Take::Server;
};
