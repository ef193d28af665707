#pragma once
// A DataFolder whose writes can be made to fail, as on a full disk or a
// folder that became read-only while the program runs.

#include <QString>

class FailingDisk {
public:
    enum Kind {
        ReadOnlyMount,  // the DataFolder is a tmpfs of its own, remounted read-only
        FileSizeLimit,  // a file size limit of one byte stands in for a full disk
    };
    // Call before the DataFolder holds anything: a mount hides what is below it.
    explicit FailingDisk(Kind kind);
    ~FailingDisk();
    FailingDisk(const FailingDisk&) = delete;
    FailingDisk& operator=(const FailingDisk&) = delete;

    // False when this kind cannot be had here (a mount needs root and a
    // mount namespace of the test's own); the reason says why.
    bool usable() const { return usable_; }
    QString reason() const { return reason_; }

    // From now on every write fails, until writable() again.
    void failing();
    void writable();

private:
    Kind kind_;
    bool usable_ = false;
    bool mounted_ = false;
    bool failing_ = false;
    QString reason_;
    QString folder_;
};
