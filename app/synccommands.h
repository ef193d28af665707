#pragma once
// The command line's works on a group's link with a CardDAV address book,
// run under the DataFolder's lock as --import is:
//
//   telefika --sync-setup GROUP ADDRESS --user NAME [--password-stdin]
//   telefika --sync GROUP [--password-stdin] [--confirm-deletion]
//   telefika --sync-remove GROUP
//
// The password is never an argument: one line of standard input with
// --password-stdin, else (for --sync) the keyring's, else asked on the
// terminal with the echo off. Each returns the exit status (cli::Exit): a
// sync that left conflicts is 1.

#include <QString>

namespace synccommands {

// Why the address cannot be a server's (not http or https, no host, a user
// or password inside it); empty when it can. A usage error.
QString addressProblem(const QString& address);

// Tries the address with the user and password (the address books behind
// it), then links the group: to the address book the address names, else to
// the one named after the group, else to a new one made with the group's
// name. The password goes into the keyring where there is one.
int setup(const QString& group, const QString& address, const QString& user, bool passwordFromStdin);

// One sync of the group, through the phone book: a line for each change,
// conflict and card left out, the counts last. A sync that would delete
// every card on the server (the group was emptied) deletes nothing unless
// confirmDeletion is given.
int sync(const QString& group, bool passwordFromStdin, bool confirmDeletion);

// The link and the kept password forgotten; the address book stays on the server.
int remove(const QString& group);

}  // namespace synccommands
