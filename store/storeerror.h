#pragma once
// The errors of the data store. Each carries the text the user sees in the
// error box; no operation catches them, so the running operation stops where
// it threw.

#include <QString>

#include <exception>
#include <string>

class StoreError : public std::exception {
public:
    explicit StoreError(QString message)
        : message_(std::move(message)), utf8_(message_.toStdString()) {}

    const QString& message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

    static StoreError indexOutOfBounds(qsizetype index) {
        return StoreError(QStringLiteral("List index out of bounds (%1)").arg(index));
    }
    static StoreError cannotInsert() { return StoreError(QStringLiteral("Unable to insert a line")); }
    static StoreError cannotOpen(const QString& path);
    static StoreError cannotCreate(const QString& path);

private:
    QString message_;
    std::string utf8_;
};
