#pragma once
// For the start-up benchmark (bench/startup.cpp): installed on a main window,
// its first paint writes "shown" to the standard output and ends the event
// loop, so the program ends without a close. The program installs it when
// TELEFIKA_QUIT_WHEN_SHOWN is set; the benchmark's bare window always does.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>

class QuitWhenShown : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, QCoreApplication::instance(), [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};
